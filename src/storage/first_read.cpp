#include "storage/first_read.h"

namespace wisplet {

SettingsContent UnionWithUnreadFile(const SettingsContent& file, const SettingsContent& run,
                                    bool mainAppliedInRun) {
  SettingsContent both = file;
  both.Damaged = false;
  if (mainAppliedInRun) both.Main = run.Main;
  both.Schemes.insert(both.Schemes.end(), run.Schemes.begin(), run.Schemes.end());
  both.Notes.insert(both.Notes.end(), run.Notes.begin(), run.Notes.end());
  both.Closed = run.Closed;
  for (const StickerRecord& note : file.Closed)
    if (both.Closed.size() < kMaxClosedNotes) both.Closed.push_back(note);
  return both;
}

}  // namespace wisplet
