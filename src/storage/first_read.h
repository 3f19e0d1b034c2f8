#pragma once
// A settings file that exists but cannot be read when the program starts
// (another program holds it without sharing, access is denied, a cloud copy
// is offline) is never written over: saves write nothing until a read
// succeeds, and the first that does brings the file's contents in first, so
// that the save writes them together with what was made in the meantime.
#include <optional>
#include <string>
#include <vector>

#include "model/scheme.h"
#include "storage/ini_document.h"
#include "storage/settings.h"
#include "storage/stickers.h"

namespace wisplet {

// What the settings file holds of the user's besides the start-up switches.
struct KeptSettings {
  std::string style = "Default";  // [Main] "CurrentStyle"
  TListColorScheme schemes;
  std::vector<StickerRecord> notes;
  std::vector<StickerRecord> closed;  // newest first
  bool operator==(const KeptSettings&) const = default;
};
KeptSettings ReadKeptSettings(const IniDocument& doc);

// What the program holds once a file it could not read at start-up is read
// at last, and what the save then writes: the file's schemes and notes first,
// this run's after them; this run's closed notes are the newest. The menu
// style is the file's unless it was chosen in this run.
KeptSettings UnionWithUnreadFile(const KeptSettings& file, const KeptSettings& run, bool styleChosenInRun);

// What a save does, given whether the settings file was read in this run and
// how reading it went just now.
enum class SaveStep {
  Write,        // read before: write what the program holds
  TakeInFirst,  // read now for the first time: take the file's contents in, then write
  Hold,         // still unreadable: write nothing and keep everything in memory
};
SaveStep DecideSave(bool readBefore, SettingsFile::ReadStatus now);

// Whether the settings file has been read in this run. A missing file counts
// as read: it holds nothing that a save could lose.
class FirstRead {
 public:
  explicit FirstRead(TIniFile& ini) : ini_(ini) {}
  // The start-up read; nullopt when the file exists but cannot be read.
  std::optional<IniDocument> Start();
  bool Done() const { return done_; }
  // Before a save collects what it writes. TakeInFirst puts the file as just
  // read into `doc`, and counts it read from then on.
  SaveStep BeforeSave(IniDocument& doc);

 private:
  TIniFile& ini_;
  bool done_ = false;
};

}  // namespace wisplet
