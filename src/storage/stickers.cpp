#include "storage/stickers.h"

#include <algorithm>

namespace wisplet {
namespace {

std::string StickerSection(std::size_t n) { return "Sticker" + std::to_string(n); }
std::string MemoLineKey(std::size_t k) { return "MemoLine" + std::to_string(k); }

// The bytes of the first character of UTF-8 text: a lead byte with the
// continuation bytes it announces, as far as they are there; one byte for
// anything else.
std::size_t FirstCharacterBytes(const std::string& text) {
  if (text.empty()) return 0;
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  std::size_t n = 1;
  while (n < length && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) ++n;
  return n;
}

// A damaged line count is bounded like the section counts: never beyond this
// or the number of lines the section holds, whichever is larger.
constexpr std::int64_t kMaxCountedMemoLines = 1024;

}  // namespace

TColorScheme StickerRecord::DefaultStickerScheme() {
  TColorScheme s;
  s.TitleColor = 0x00DCDCDC;
  s.TitleGradColor = 0x00DCDCDC;
  s.TitleFontColor = clBlack;
  s.MemoColor = 0x00F0F0F0;
  s.MemoGradColor = 0x00F0F0F0;
  s.MemoFontColor = clBlack;
  return s;
}

std::vector<std::string> SplitMemoLines(const std::string& memo) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < memo.size()) {
    std::size_t end = memo.find_first_of("\r\n", pos);
    if (end == std::string::npos) {
      lines.push_back(memo.substr(pos));
      break;
    }
    lines.push_back(memo.substr(pos, end - pos));
    pos = end + ((memo[end] == '\r' && end + 1 < memo.size() && memo[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

std::string JoinMemoLines(const std::vector<std::string>& lines) {
  std::string memo;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) memo += "\r\n";
    memo += lines[i];
  }
  return memo;
}

namespace {

StickerRecord ReadStickerKeys(const IniDocument& doc, const std::string& section) {
  StickerRecord r;
  r.Title = ReadText(doc, section, "Title", "Some Title");
  std::int64_t count = ReadInteger(doc, section, "MemoLineCount", 0);
  count = std::clamp<std::int64_t>(count, 0, std::max<std::int64_t>(kMaxCountedMemoLines, doc.LineCount(section)));
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(count));
  for (std::int64_t k = 0; k < count; ++k) {
    // The first character is the ">" that protects leading blanks; whatever
    // else stands there goes whole, never half of its UTF-8 bytes.
    std::string stored = ReadText(doc, section, MemoLineKey(static_cast<std::size_t>(k)), "");
    stored.erase(0, FirstCharacterBytes(stored));
    lines.push_back(std::move(stored));
  }
  r.Memo = JoinMemoLines(lines);
  r.ID = ReadText(doc, section, "ID", "");
  r.Active = ReadBool(doc, section, "Active", false);
  r.OnTop = ReadBool(doc, section, "OnTop", false);
  r.MinState = ReadBool(doc, section, "MinState", false);
  r.Top = ReadInteger(doc, section, "Top", 1);
  r.Left = ReadInteger(doc, section, "Left", 1);
  r.Height = ReadInteger(doc, section, "Height", 50);
  r.Width = ReadInteger(doc, section, "Width", 200);
  r.Scheme = ReadSchemeKeys(doc, section, StickerRecord::DefaultStickerScheme());
  return r;
}

void WriteStickerKeys(IniDocument& doc, const std::string& section, const StickerRecord& r) {
  WriteText(doc, section, "Title", r.Title);
  std::vector<std::string> lines = SplitMemoLines(r.Memo);
  WriteInteger(doc, section, "MemoLineCount", static_cast<std::int64_t>(lines.size()));
  for (std::size_t k = 0; k < lines.size(); ++k) WriteText(doc, section, MemoLineKey(k), ">" + lines[k]);
  WriteText(doc, section, "ID", r.ID);
  WriteBool(doc, section, "Active", r.Active);
  WriteBool(doc, section, "OnTop", r.OnTop);
  WriteBool(doc, section, "MinState", r.MinState);
  WriteInteger(doc, section, "Top", r.Top);
  WriteInteger(doc, section, "Left", r.Left);
  WriteInteger(doc, section, "Height", r.Height);
  WriteInteger(doc, section, "Width", r.Width);
  WriteSchemeKeys(doc, section, r.Scheme);
}

std::string ClosedSection(std::size_t n) { return "Closed" + std::to_string(n); }
constexpr std::string_view kClosedCount = "ClosedCount";

}  // namespace

std::vector<StickerRecord> ReadStickers(const IniDocument& doc) {
  std::vector<StickerRecord> notes(ReadSectionCount(doc, "StickerCount"));
  for (std::size_t n = 0; n < notes.size(); ++n) notes[n] = ReadStickerKeys(doc, StickerSection(n));
  return notes;
}

void WriteStickers(const std::vector<StickerRecord>& notes, IniDocument& doc) {
  for (std::size_t n = 0; n < 256; ++n) doc.EraseSection(StickerSection(n));
  WriteInteger(doc, kMainSection, "StickerCount", static_cast<std::int64_t>(notes.size()));
  for (std::size_t n = 0; n < notes.size(); ++n) WriteStickerKeys(doc, StickerSection(n), notes[n]);
}

std::vector<StickerRecord> ReadClosedStickers(const IniDocument& doc) {
  std::vector<StickerRecord> closed(std::min(ReadSectionCount(doc, kClosedCount), kMaxClosedNotes));
  for (std::size_t n = 0; n < closed.size(); ++n) closed[n] = ReadStickerKeys(doc, ClosedSection(n));
  return closed;
}

void WriteClosedStickers(const std::vector<StickerRecord>& closed, IniDocument& doc) {
  for (std::size_t n = 0; n < 256; ++n) doc.EraseSection(ClosedSection(n));
  if (closed.empty() && !doc.Get(kMainSection, kClosedCount)) return;
  const std::size_t count = std::min(closed.size(), kMaxClosedNotes);
  WriteInteger(doc, kMainSection, kClosedCount, static_cast<std::int64_t>(count));
  for (std::size_t n = 0; n < count; ++n) WriteStickerKeys(doc, ClosedSection(n), closed[n]);
}

void RememberClosed(std::vector<StickerRecord>& closed, StickerRecord note) {
  closed.insert(closed.begin(), std::move(note));
  if (closed.size() > kMaxClosedNotes) closed.resize(kMaxClosedNotes);
}

void SaveStickers(const std::vector<StickerRecord>& notes, TIniFile& ini) {
  ini.Update([&](IniDocument& doc) { WriteStickers(notes, doc); });
}

}  // namespace wisplet
