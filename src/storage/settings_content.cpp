#include "storage/settings_content.h"

#include <string_view>

#include "storage/settings.h"

namespace wisplet {
namespace {

// The sections each count in [Main] stands for. A save erases the sections
// below kErasedSections beyond the count, so one found there is damage.
struct CountedSections {
  std::string_view countKey;
  std::string_view prefix;
};
constexpr CountedSections kCounted[] = {
    {"SchemesCount", "Scheme"}, {"StickerCount", "Sticker"}, {"ClosedCount", "Closed"}};
constexpr std::size_t kErasedSections = 256;

std::string Section(std::string_view prefix, std::size_t n) { return std::string(prefix) + std::to_string(n); }

}  // namespace

const std::map<std::string, std::string>& MainSettingDefaults() {
  static const std::map<std::string, std::string> defaults = MainSettingsOf(ProgramState{});
  return defaults;
}

std::map<std::string, std::string> MainSettingsOf(const ProgramState& state) {
  std::map<std::string, std::string> main{{"CurrentStyle", state.CurrentStyle}};
  for (HotkeyAction action : kHotkeyActions)
    main[std::string(HotkeyKeyName(action))] = HotkeyToText(state.*HotkeyField(action));
  return main;
}

void ApplyMainSettings(const std::map<std::string, std::string>& main, ProgramState& state) {
  if (auto it = main.find("CurrentStyle"); it != main.end()) state.CurrentStyle = it->second;
  for (HotkeyAction action : kHotkeyActions)
    if (auto it = main.find(std::string(HotkeyKeyName(action))); it != main.end())
      state.*HotkeyField(action) = HotkeyFromText(it->second).value_or(DefaultHotkey(action));
}

bool LooksDamaged(const IniDocument& doc) {
  if (!doc.HasSection(kMainSection)) return true;
  for (const auto& counted : kCounted) {
    const std::size_t count = ReadSectionCount(doc, counted.countKey);
    for (std::size_t n = 0; n < count; ++n)
      if (!doc.HasSection(Section(counted.prefix, n))) return true;
    if (count < kErasedSections && doc.HasSection(Section(counted.prefix, count))) return true;
  }
  const std::size_t notes = ReadSectionCount(doc, "StickerCount");
  for (std::size_t n = 0; n < notes; ++n) {
    const std::string section = Section("Sticker", n);
    const std::int32_t lines = ReadInteger(doc, section, "MemoLineCount", 0);
    if (lines > 0 && !doc.Get(section, "MemoLine" + std::to_string(lines - 1))) return true;
  }
  return doc.Serialize().find('\0') != std::string::npos;
}

namespace {

// Leaves out the records of counted sections that are missing: the loaders
// give them defaults, which a merge would add as notes or schemes of nothing.
template <typename Record>
void DropMissing(std::vector<Record>& records, const IniDocument& doc, std::string_view prefix) {
  std::vector<Record> kept;
  for (std::size_t n = 0; n < records.size(); ++n)
    if (doc.HasSection(Section(prefix, n))) kept.push_back(std::move(records[n]));
  records = std::move(kept);
}

}  // namespace

SettingsContent ReadSettingsContent(const IniDocument& doc) {
  SettingsContent content;
  ProgramState main;
  ReadMainSettings(main, doc);
  content.Main = MainSettingsOf(main);
  LoadSchemes(content.Schemes, doc);
  content.Notes = ReadStickers(doc);
  content.Closed = ReadClosedStickers(doc);
  content.Damaged = LooksDamaged(doc);
  if (content.Damaged) {
    DropMissing(content.Schemes, doc, "Scheme");
    DropMissing(content.Notes, doc, "Sticker");
    DropMissing(content.Closed, doc, "Closed");
  }
  return content;
}

void WriteSettingsContent(const SettingsContent& content, IniDocument& doc, unsigned groups) {
  if (groups & kMainGroup) {
    ProgramState main;
    ApplyMainSettings(content.Main, main);
    WriteMainSettings(main, doc);
  }
  if (groups & kSchemesGroup) WriteSchemes(content.Schemes, doc);
  if (groups & kNotesGroup) {
    WriteStickers(content.Notes, doc);
    WriteClosedStickers(content.Closed, doc);
  }
}

}  // namespace wisplet
