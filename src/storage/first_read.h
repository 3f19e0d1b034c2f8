#pragma once
// A settings file that exists but cannot be read when the program starts
// (another program holds it without sharing, access is denied, a cloud copy
// is offline) is never written over: saves write nothing until a read
// succeeds, and the first that does brings the file's contents in first, so
// that the save writes them together with what was made in the meantime.
#include "storage/settings.h"
#include "storage/settings_content.h"

namespace wisplet {

// What the program holds once a file it could not read at start-up is read
// at last, and what the save then writes: the file's schemes and notes first,
// this run's after them; this run's closed notes are the newest. The main
// settings are the file's unless they were applied in this run. Nothing is
// matched up: this run never saw the file, so each of its notes is its own.
SettingsContent UnionWithUnreadFile(const SettingsContent& file, const SettingsContent& run,
                                    bool mainAppliedInRun);

}  // namespace wisplet
