#include "storage/settings.h"

#include <algorithm>

#include "model/errors.h"

namespace wisplet {
namespace {

bool IsTrimmedByProfile(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string SchemeSection(std::size_t n) { return "Scheme" + std::to_string(n); }

}  // namespace

TIniFile::TIniFile(SettingsFile& file, CodePages codePages) : file_(file), codePages_(std::move(codePages)) {}

TIniFile::Decoded TIniFile::Decode(const std::string& bytes) const {
  FileEncoding encoding = DetectEncoding(bytes);
  if (encoding == FileEncoding::Ansi)
    return {IniDocument::ParseInCodePage(bytes, CodePageOfFile(codePages_, bytes)), encoding};
  return {IniDocument::Parse(UnicodeFileText(bytes, encoding)), encoding};
}

IniDocument TIniFile::Load() const {
  IniDocument doc;
  Read(doc);
  return doc;
}

SettingsFile::ReadStatus TIniFile::Read(IniDocument& doc) const {
  std::string bytes;
  const auto status = file_.Read(bytes);
  if (status == SettingsFile::ReadStatus::Missing) doc = IniDocument();
  if (status == SettingsFile::ReadStatus::Ok || status == SettingsFile::ReadStatus::Recovered)
    doc = Decode(bytes).doc;
  return status;
}

std::string TIniFile::Update(const std::function<void(IniDocument&)>& edit) {
  std::string before;
  auto status = file_.Read(before);
  // A file that exists but cannot be read is never overwritten with a guess.
  if (status == SettingsFile::ReadStatus::Failed)
    throw Error(FormatMessage1("Unable to write to %s", file_.Path()));
  if (status == SettingsFile::ReadStatus::Missing) before.clear();

  Decoded decoded = Decode(before);
  edit(decoded.doc);
  std::string after = decoded.doc.Serialize();
  if (decoded.encoding != FileEncoding::Ansi)
    after = UnicodeFileBytes(after, decoded.encoding);
  else if (!decoded.doc.InCodePage())  // it holds what the code page cannot
    after = UnicodeFileBytes(after, FileEncoding::Utf16LE);

  bool unchanged = status == SettingsFile::ReadStatus::Ok ||
                   (status == SettingsFile::ReadStatus::Missing && after.empty());
  if (after == before && unchanged) return after;
  if (!file_.Replace(after)) throw Error(FormatMessage1("Unable to write to %s", file_.Path()));
  return after;
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
  return text ? std::move(*text) : std::string(def);
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

void LoadMainSettings(ProgramState& state, const IniDocument& doc, AutorunEntry autorun,
                      const std::string& exePath, MessageSink& messages) {
  using Status = AutorunStore::Status;
  std::string machineValue, userValue;
  const Status machine = autorun.machine.Read(machineValue);
  const Status user = autorun.user.Read(userValue);
  if (machine == Status::Failed || user == Status::Failed) {
    // Reported, but the menu style is still read: skipping it would write an
    // empty style back at the next save.
    messages.ShowError(FormatMessage1("Invalid data type for '%s'", std::string(kAutorunValueName)));
  } else if (machine == Status::CantOpen && user == Status::CantOpen) {
    messages.ShowError("Can't read from registry!");
  }
  // A key that cannot be read leaves AutoRun as it was.
  const bool ours = (machine == Status::Ok && machineValue == exePath) || (user == Status::Ok && userValue == exePath);
  if (ours || machine == Status::Ok || user == Status::Ok) state.AutoRun = ours;
  ReadMainSettings(state, doc);
}

void ReadMainSettings(ProgramState& state, const IniDocument& doc) {
  state.CurrentStyle = ReadText(doc, kMainSection, "CurrentStyle", "Default");
  for (HotkeyAction action : kHotkeyActions) state.*HotkeyField(action) = ReadHotkey(doc, action);
}

std::string_view HotkeyKeyName(HotkeyAction action) {
  return action == HotkeyAction::NewNote ? "HotkeyNewNote" : "HotkeyShowHide";
}

Hotkey ReadHotkey(const IniDocument& doc, HotkeyAction action) {
  auto text = doc.Get(kMainSection, HotkeyKeyName(action));
  if (!text) return DefaultHotkey(action);
  return HotkeyFromText(*text).value_or(DefaultHotkey(action));
}

void WriteHotkey(IniDocument& doc, HotkeyAction action, Hotkey hotkey) {
  if (hotkey == DefaultHotkey(action) && !doc.Get(kMainSection, HotkeyKeyName(action))) return;
  doc.Set(kMainSection, HotkeyKeyName(action), HotkeyToText(hotkey));
}

namespace {

void ThrowIfFailed(AutorunStore::Status status) {
  if (status == AutorunStore::Status::Failed)
    throw Error(FormatMessage1("Failed to set data for '%s'", std::string(kAutorunValueName)));
}

bool HoldsPath(AutorunStore& store, const std::string& exePath) {
  std::string value;
  return store.Read(value) == AutorunStore::Status::Ok && value == exePath;
}

// Removes the value from one Run key when it is our entry, or when it is not
// text (it starts nothing, and would be reported at every start); another
// program's entry stays. False when ours stays behind.
bool RemoveOwnEntry(AutorunStore& store, const std::string& exePath, bool unreadableMayHoldIt) {
  std::string value;
  const AutorunStore::Status read = store.Read(value);
  if (read == AutorunStore::Status::CantOpen) return !unreadableMayHoldIt;
  if (read == AutorunStore::Status::Ok && value != exePath) return true;
  return store.Delete() == AutorunStore::Status::Ok;
}

// Writes or removes the entry; false when the registry refused.
bool StoreAutorun(bool on, AutorunEntry autorun, const std::string& exePath) {
  using Status = AutorunStore::Status;
  if (on) {
    const Status machine = autorun.machine.Write(exePath);
    ThrowIfFailed(machine);
    if (machine == Status::Ok) {
      // One entry is enough: a second would start the program twice.
      if (HoldsPath(autorun.user, exePath)) autorun.user.Delete();
      return true;
    }
    const Status user = autorun.user.Write(exePath);
    ThrowIfFailed(user);
    return user == Status::Ok;
  }
  // A user who may not write the machine's key is only refused when our own
  // entry stays behind there, or may (the key cannot be read). The user's own
  // key is only ever a fallback: one that cannot be read holds nothing of ours.
  const bool machineDone = RemoveOwnEntry(autorun.machine, exePath, /*unreadableMayHoldIt=*/true);
  const bool userDone = RemoveOwnEntry(autorun.user, exePath, /*unreadableMayHoldIt=*/false);
  return machineDone && userDone;
}

}  // namespace

void SaveAutorun(const ProgramState& state, AutorunEntry autorun, const std::string& exePath,
                 MessageSink& messages) {
  if (!StoreAutorun(state.AutoRun, autorun, exePath)) messages.ShowError("Can't write to registry!");
}

void WriteMainSettings(const ProgramState& state, IniDocument& doc) {
  WriteText(doc, kMainSection, "CurrentStyle", state.CurrentStyle);
  for (HotkeyAction action : kHotkeyActions) WriteHotkey(doc, action, state.*HotkeyField(action));
}

void SaveMainSettings(const ProgramState& state, TIniFile& ini, AutorunEntry autorun,
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
