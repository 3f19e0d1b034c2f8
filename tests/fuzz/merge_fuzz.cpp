// The merge on any three files, as a save, an incoming change or a conflict
// copy: nothing written here is lost, a copy or a damaged file takes nothing
// away, merging again changes nothing, and the writer of the other file,
// merging the result, ends up with the same notes, schemes and settings.
//
// Input: a byte choosing the kind, then the base, ours and theirs files
// separated by NUL bytes (a NUL within a file is damage the unit tests cover).
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "storage/merge.h"

using namespace wisplet;

namespace {

SettingsContent Read(std::string_view& input) {
  const std::size_t end = input.find('\0');
  const std::string_view file = input.substr(0, end);
  input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
  return ReadSettingsContent(IniDocument::Parse(file));
}

// Whether a side holds two notes of one ID and text, or two schemes of one
// name. Once one of them has moved, which of them the other side closed or
// changed cannot be told, so a merge done again may pair them the other way.
bool HasTwins(const SettingsContent& c) {
  for (std::size_t i = 0; i < c.Notes.size(); ++i)
    for (std::size_t j = i + 1; j < c.Notes.size(); ++j)
      if (c.Notes[i].ID == c.Notes[j].ID && c.Notes[i].Title == c.Notes[j].Title && c.Notes[i].Memo == c.Notes[j].Memo)
        return true;
  for (std::size_t i = 0; i < c.Schemes.size(); ++i)
    for (std::size_t j = i + 1; j < c.Schemes.size(); ++j)
      if (c.Schemes[i].Name == c.Schemes[j].Name) return true;
  return false;
}

bool SharesIds(const SettingsContent& c) {
  for (std::size_t i = 0; i < c.Notes.size(); ++i)
    for (std::size_t j = i + 1; j < c.Notes.size(); ++j)
      if (c.Notes[i].ID == c.Notes[j].ID) return true;
  return false;
}

std::vector<std::string> Texts(const std::vector<StickerRecord>& notes) {
  std::vector<std::string> texts;
  for (const auto& n : notes) texts.push_back(n.ID + '\n' + n.Title + '\n' + n.Memo);
  std::sort(texts.begin(), texts.end());
  return texts;
}

bool HoldsText(const std::vector<StickerRecord>& list, const StickerRecord& n) {
  for (const auto& held : list)
    if (held.Title == n.Title && held.Memo == n.Memo) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const MergeKind kind = static_cast<MergeKind>(data[0] % 3);
  std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const SettingsContent base = Read(input), ours = Read(input), theirs = Read(input);
  const MergeResult r = MergeSettings(base, ours, theirs, kind);
  const SettingsContent& merged = r.merged;
  FUZZ_CHECK(r.notesOrigin.size() == merged.Notes.size());
  std::vector<int> fate(ours.Notes.size());  // each of our notes continued once, or closed
  for (int origin : r.notesOrigin)
    if (origin >= 0) ++fate[static_cast<std::size_t>(origin)];
  for (std::size_t j : r.closedElsewhere) ++fate[j];
  FUZZ_CHECK(fate == std::vector<int>(ours.Notes.size(), 1));

  for (const auto& n : ours.Notes)
    FUZZ_CHECK(HoldsText(base.Notes, n) || HoldsText(merged.Notes, n) || HoldsText(merged.Closed, n));
  if (kind == MergeKind::ConflictCopy || theirs.Damaged) {
    FUZZ_CHECK(merged.Main == ours.Main && merged.Notes.size() >= ours.Notes.size());
    for (std::size_t i = 0; i < ours.Notes.size(); ++i) FUZZ_CHECK(merged.Notes[i] == ours.Notes[i]);
  }
  if (HasTwins(base) || HasTwins(ours) || HasTwins(theirs)) return 0;
  // Notes sharing an ID that order alone paired may pair another way once the
  // merge put them in the last writer's order: the same texts come back, in
  // another order or with each other's place or look perhaps.
  const MergeResult again = MergeSettings(base, merged, theirs, kind);
  if (SharesIds(base) || SharesIds(ours) || SharesIds(theirs)) {
    FUZZ_CHECK(Texts(again.merged.Notes) == Texts(merged.Notes));
  } else {
    FUZZ_CHECK(again.merged == merged && again.sameAsOurs);
  }
  if (kind != MergeKind::ConflictCopy && !theirs.Damaged) {
    // Recently closed lists may differ: each side records the notes the other closed.
    const SettingsContent there = MergeSettings(theirs, theirs, merged, MergeKind::Incoming).merged;
    FUZZ_CHECK(there.Notes == merged.Notes && there.Schemes == merged.Schemes && there.Main == merged.Main);
  }
  return 0;
}
