#include "storage/settings.h"

#include <algorithm>

#include "model/errors.h"

namespace wisplet {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsTrimmedByProfile(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string SchemeSection(std::size_t n) { return "Scheme" + std::to_string(n); }

}  // namespace

TIniFile::TIniFile(SettingsFile& file, TextCodec codec) : file_(file), codec_(std::move(codec)) {}

TIniFile::Decoded TIniFile::Decode(const std::string& bytes) const {
  std::string_view text = bytes;
  if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    text.remove_prefix(kUtf8Bom.size());
    if (codec_.Utf8ToAnsi) return {IniDocument::Parse(codec_.Utf8ToAnsi(text)), true};
    return {IniDocument::Parse(text), true};
  }
  return {IniDocument::Parse(text), false};
}

IniDocument TIniFile::Load() const {
  std::string bytes;
  if (file_.Read(bytes) != SettingsFile::ReadStatus::Ok) return IniDocument();
  return Decode(bytes).doc;
}

void TIniFile::Update(const std::function<void(IniDocument&)>& edit) {
  std::string before;
  auto status = file_.Read(before);
  // A file that exists but cannot be read is never overwritten with a guess.
  if (status == SettingsFile::ReadStatus::Failed)
    throw Error(FormatMessage1("Unable to write to %s", file_.Path()));
  if (status == SettingsFile::ReadStatus::Missing) before.clear();

  Decoded decoded = Decode(before);
  edit(decoded.doc);
  std::string after = decoded.doc.Serialize();
  if (decoded.utf8Bom)
    after = std::string(kUtf8Bom) + (codec_.AnsiToUtf8 ? codec_.AnsiToUtf8(after) : after);

  if (after == before && (status == SettingsFile::ReadStatus::Ok || after.empty())) return;
  if (!file_.Replace(after)) throw Error(FormatMessage1("Unable to write to %s", file_.Path()));
}

std::int32_t ReadInteger(const IniDocument& doc, std::string_view section, std::string_view key,
                         std::int32_t def) {
  auto text = doc.Get(section, key);
  if (!text) return def;
  return ParseInteger(*text).value_or(def);
}

bool ReadBool(const IniDocument& doc, std::string_view section, std::string_view key, bool def) {
  return ReadInteger(doc, section, key, def ? 1 : 0) != 0;
}

std::uint8_t ReadByte(const IniDocument& doc, std::string_view section, std::string_view key,
                      std::uint8_t def) {
  return static_cast<std::uint8_t>(ReadInteger(doc, section, key, def) & 0xFF);
}

TColor ReadColor(const IniDocument& doc, std::string_view section, std::string_view key,
                 TColor def) {
  // A value that cannot be read as a color takes the key's default, so that a
  // damaged file never stops the program from coming up.
  auto text = doc.Get(section, key);
  if (!text) return def;
  return TryTextToColor(*text).value_or(def);
}

std::string ReadText(const IniDocument& doc, std::string_view section, std::string_view key,
                     std::string_view def) {
  auto text = doc.Get(section, key);
  return text ? *text : std::string(def);
}

void WriteInteger(IniDocument& doc, std::string_view section, std::string_view key,
                  std::int64_t v) {
  doc.Set(section, key, std::to_string(v));
}

void WriteBool(IniDocument& doc, std::string_view section, std::string_view key, bool v) {
  doc.Set(section, key, v ? "1" : "0");
}

void WriteColor(IniDocument& doc, std::string_view section, std::string_view key, TColor v) {
  doc.Set(section, key, ColorToText(v));
}

void WriteText(IniDocument& doc, std::string_view section, std::string_view key,
               std::string_view v) {
  std::string text(v);
  std::replace_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  bool quote = !text.empty() && (IsTrimmedByProfile(text.front()) || IsTrimmedByProfile(text.back()));
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
    quote = true;
  doc.Set(section, key, quote ? "\"" + text + "\"" : text);
}

std::size_t ReadSectionCount(const IniDocument& doc, std::string_view key) {
  std::int64_t count = ReadInteger(doc, kMainSection, key, 0);
  if (count < 0) return 0;
  std::int64_t bound = std::max<std::int64_t>(kMaxCountedSections, doc.SectionCount());
  return static_cast<std::size_t>(std::min(count, bound));
}

void LoadMainSettings(ProgramState& state, const IniDocument& doc, AutorunStore& autorun,
                      const std::string& exePath, MessageSink& messages) {
  std::string value;
  switch (autorun.Read(value)) {
    case AutorunStore::Status::Ok:
      state.AutoRun = value == exePath;
      break;
    case AutorunStore::Status::CantOpen:
      messages.ShowError("Can't read from registry!");
      break;
    case AutorunStore::Status::Failed:
      // Reported, but the menu style is still read: skipping it would write an
      // empty style back at the next save.
      messages.ShowError(FormatMessage1("Invalid data type for '%s'", std::string(kAutorunValueName)));
      break;
  }
  state.CurrentStyle = ReadText(doc, kMainSection, "CurrentStyle", "Default");
}

void SaveAutorun(const ProgramState& state, AutorunStore& autorun, const std::string& exePath,
                 MessageSink& messages) {
  auto status = state.AutoRun ? autorun.Write(exePath) : autorun.Delete();
  if (status == AutorunStore::Status::CantOpen) messages.ShowError("Can't write to registry!");
  if (status == AutorunStore::Status::Failed)
    throw Error(FormatMessage1("Failed to set data for '%s'", std::string(kAutorunValueName)));
}

void WriteMainSettings(const ProgramState& state, IniDocument& doc) {
  WriteText(doc, kMainSection, "CurrentStyle", state.CurrentStyle);
}

void SaveMainSettings(const ProgramState& state, TIniFile& ini, AutorunStore& autorun,
                      const std::string& exePath, MessageSink& messages) {
  SaveAutorun(state, autorun, exePath, messages);
  ini.Update([&](IniDocument& doc) { WriteMainSettings(state, doc); });
}

TColorScheme ReadSchemeKeys(const IniDocument& doc, std::string_view section,
                            const TColorScheme& defaults) {
  TColorScheme s;
  s.Name = ReadText(doc, section, "Name", defaults.Name);
  s.AlphaBlendValue = ReadByte(doc, section, "AlphaBlendValue", defaults.AlphaBlendValue);
  s.TitleColor = ReadColor(doc, section, "TitleColor", defaults.TitleColor);
  s.TitleFontColor = ReadColor(doc, section, "TitleFontColor", defaults.TitleFontColor);
  s.TitleGradColor = ReadColor(doc, section, "TitleGradColor", defaults.TitleGradColor);
  s.TitleGradType = ReadByte(doc, section, "TitleGradType", defaults.TitleGradType);
  s.MemoColor = ReadColor(doc, section, "MemoColor", defaults.MemoColor);
  s.MemoFontColor = ReadColor(doc, section, "MemoFontColor", defaults.MemoFontColor);
  s.MemoGradColor = ReadColor(doc, section, "MemoGradColor", defaults.MemoGradColor);
  s.MemoGradType = ReadByte(doc, section, "MemoGradType", defaults.MemoGradType);
  return s;
}

void WriteSchemeKeys(IniDocument& doc, std::string_view section, const TColorScheme& s) {
  WriteText(doc, section, "Name", s.Name);
  WriteInteger(doc, section, "AlphaBlendValue", s.AlphaBlendValue);
  WriteColor(doc, section, "TitleColor", s.TitleColor);
  WriteColor(doc, section, "TitleFontColor", s.TitleFontColor);
  WriteColor(doc, section, "TitleGradColor", s.TitleGradColor);
  WriteInteger(doc, section, "TitleGradType", s.TitleGradType);
  WriteColor(doc, section, "MemoColor", s.MemoColor);
  WriteColor(doc, section, "MemoFontColor", s.MemoFontColor);
  WriteColor(doc, section, "MemoGradColor", s.MemoGradColor);
  WriteInteger(doc, section, "MemoGradType", s.MemoGradType);
}

void LoadSchemes(TListColorScheme& schemes, const IniDocument& doc) {
  std::size_t count = ReadSectionCount(doc, "SchemesCount");
  schemes.assign(count, TColorScheme{});
  for (std::size_t n = 0; n < count; ++n) {
    const std::string section = SchemeSection(n);
    TColorScheme defaults;  // black, types 0, opaque, named after its section
    defaults.Name = section;
    schemes[n] = ReadSchemeKeys(doc, section, defaults);
  }
}

void WriteSchemes(const TListColorScheme& schemes, IniDocument& doc) {
  for (std::size_t n = 0; n < 256; ++n) doc.EraseSection(SchemeSection(n));
  WriteInteger(doc, kMainSection, "SchemesCount", static_cast<std::int64_t>(schemes.size()));
  for (std::size_t n = 0; n < schemes.size(); ++n) WriteSchemeKeys(doc, SchemeSection(n), schemes[n]);
}

void SaveSchemes(const TListColorScheme& schemes, TIniFile& ini) {
  ini.Update([&](IniDocument& doc) { WriteSchemes(schemes, doc); });
}

}  // namespace wisplet
