#include "storage/settings_sync.h"

#include "model/errors.h"
#include "storage/first_read.h"

namespace wisplet {
namespace {

bool HoldsAny(const SettingsContent& c) { return !c.Notes.empty() || !c.Schemes.empty(); }

// The file's content first, then what this run made, as a merge's result.
MergeResult TakenInFirst(const SettingsContent& file, const SettingsContent& run, bool mainApplied) {
  MergeResult r;
  r.merged = UnionWithUnreadFile(file, run, mainApplied);
  r.notesOrigin.assign(file.Notes.size(), -1);
  for (std::size_t j = 0; j < run.Notes.size(); ++j) r.notesOrigin.push_back(static_cast<int>(j));
  r.theirsDamaged = file.Damaged && HoldsAny(file);
  r.sameAsTheirs = r.merged == file;
  r.sameAsOurs = r.merged == run;
  return r;
}

}  // namespace

std::optional<IniDocument> SettingsSync::Start() {
  std::string bytes;
  const auto status = file_.Read(bytes);
  if (status == SettingsFile::ReadStatus::Failed) return std::nullopt;
  if (status == SettingsFile::ReadStatus::Missing) bytes.clear();
  IniDocument doc = ini_.Parse(bytes);
  base_ = ReadSettingsContent(doc);
  lastBytes_ = std::move(bytes);
  return doc;
}

SettingsSync::SaveResult SettingsSync::Save(const SettingsContent& ours, unsigned groups) {
  SaveResult out;
  // Never read yet: while it stays unreadable nothing is written, and
  // everything stays in memory.
  if (IniDocument unused; !base_ && ini_.Read(unused) == SettingsFile::ReadStatus::Failed) {
    out.held = true;
    return out;
  }
  SettingsContent theirs, written;
  try {
    lastBytes_ = ini_.Update([&](IniDocument& doc) {
      theirs = ReadSettingsContent(doc);
      out.merge = base_ ? MergeSettings(*base_, ours, theirs, MergeKind::Save)
                        : TakenInFirst(theirs, ours, mainApplied_);
      WriteSettingsContent(out.merge->merged, doc, out.merge->theirsDamaged ? kAllGroups : groups);
      written = ReadSettingsContent(doc);
    });
    base_ = std::move(written);
  } catch (const Error& e) {
    out.error = e.what();
    // Read and merged, not written: the program holds the merge, and the file
    // as read is what the next save merges against.
    if (out.merge && (!base_ || !theirs.Damaged)) base_ = std::move(theirs);
  }
  return out;
}

SettingsSync::Change SettingsSync::Incoming(const SettingsContent& ours, MergeResult& result) {
  if (!base_) return Change::None;  // the first read is a save's (see Save)
  std::string bytes;
  switch (file_.Read(bytes)) {
    case SettingsFile::ReadStatus::Failed: return Change::Unreadable;
    case SettingsFile::ReadStatus::Missing: return Change::None;  // the next save writes it again
    default: break;
  }
  if (bytes == lastBytes_) return Change::None;
  SettingsContent theirs = ReadSettingsContent(ini_.Parse(bytes));
  if (theirs.Damaged) return HoldsAny(theirs) || HoldsAny(*base_) ? Change::Damaged : Change::None;
  result = MergeSettings(*base_, ours, theirs, MergeKind::Incoming);
  base_ = std::move(theirs);
  lastBytes_ = std::move(bytes);
  return Change::Merged;
}

std::optional<MergeResult> SettingsSync::MergeCopy(const SettingsContent& ours, const std::string& bytes) const {
  if (!base_) return std::nullopt;
  const SettingsContent copy = ReadSettingsContent(ini_.Parse(bytes));
  if (copy.Damaged) return std::nullopt;
  return MergeSettings(*base_, ours, copy, MergeKind::ConflictCopy);
}

}  // namespace wisplet
