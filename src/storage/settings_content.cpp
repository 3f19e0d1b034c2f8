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
constexpr CountedSections kCounted[] = {{"SchemesCount", "Scheme"}, {"StickerCount", "Sticker"}};
constexpr std::size_t kErasedSections = 256;

std::string Section(std::string_view prefix, std::size_t n) { return std::string(prefix) + std::to_string(n); }

}  // namespace

std::map<std::string, std::string> MainSettingsOf(const ProgramState& state) {
  return {{"CurrentStyle", state.CurrentStyle}};
}

void ApplyMainSettings(const std::map<std::string, std::string>& main, ProgramState& state) {
  if (auto it = main.find("CurrentStyle"); it != main.end()) state.CurrentStyle = it->second;
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
  for (const auto& [key, def] : MainSettingDefaults()) content.Main[key] = ReadText(doc, kMainSection, key, def);
  LoadSchemes(content.Schemes, doc);
  content.Notes = ReadStickers(doc);
  content.Damaged = LooksDamaged(doc);
  if (content.Damaged) {
    DropMissing(content.Schemes, doc, "Scheme");
    DropMissing(content.Notes, doc, "Sticker");
  }
  return content;
}

void WriteSettingsContent(const SettingsContent& content, IniDocument& doc) {
  for (const auto& [key, value] : content.Main) WriteText(doc, kMainSection, key, value);
  WriteSchemes(content.Schemes, doc);
  WriteStickers(content.Notes, doc);
}

}  // namespace wisplet
