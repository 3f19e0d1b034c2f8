#pragma once
// The one keeper of the base of every merge: the content this run last read
// from or wrote to the settings file. Every save and every change made to the
// file from outside goes through here; the program shows what comes back.
#include <optional>
#include <string>

#include "storage/merge.h"
#include "storage/settings.h"
#include "storage/settings_content.h"

namespace wisplet {

class SettingsSync {
 public:
  SettingsSync(SettingsFile& file, TIniFile& ini) : file_(file), ini_(ini) {}

  // The start-up read: the file's document, or nothing when the file exists
  // but cannot be read. Until a later read succeeds, saves write nothing.
  std::optional<IniDocument> Start();
  bool HasRead() const { return base_.has_value(); }
  // The main settings were applied while the file could not be read: the
  // first read then keeps them rather than the file's.
  void MainAppliedWhileUnread() {
    if (!base_) mainApplied_ = true;
  }

  struct SaveResult {
    // The file has never been read and still cannot be: nothing was merged
    // or written, everything stays in memory.
    bool held = false;
    // What the program is to hold, also when the write failed.
    std::optional<MergeResult> merge;
    std::string error;  // "Unable to write to ..." when the file was not written
  };
  // Reads the file as it is now, merges `ours` into it against the base
  // (MergeKind::Save) and writes the groups named (SettingsGroup), every group
  // over a file that looked damaged, so that nothing another writer put there
  // is lost; the base is then what the file holds. The first read after an
  // unreadable start takes the file's content in (UnionWithUnreadFile).
  SaveResult Save(const SettingsContent& ours, unsigned groups);

  enum class Change {
    None,        // the file holds what this run last read or wrote, or is gone
    Unreadable,  // it cannot be read now
    Damaged,     // it looks damaged or cut short (still being written?)
    Merged,      // `result` is the file merged in (MergeKind::Incoming); it is the base now
  };
  // After the file's folder changed. The caller makes sure the file is not
  // held by another program first: reading waits for one that is.
  Change Incoming(const SettingsContent& ours, MergeResult& result);

  // A sync client's conflict copy merged against the base, which stays;
  // nothing before the first read, or for a copy that looks damaged.
  std::optional<MergeResult> MergeCopy(const SettingsContent& ours, const std::string& bytes) const;

 private:
  SettingsFile& file_;
  TIniFile& ini_;
  std::optional<SettingsContent> base_;
  std::string lastBytes_;  // the file as this run last read or wrote it
  bool mainApplied_ = false;
};

}  // namespace wisplet
