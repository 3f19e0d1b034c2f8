#pragma once
// Everything of the settings file that the program owns, as plain data: what
// a merge works on (storage/merge.h). Lines the program does not own - the
// user's own sections and keys - stay in the file and are not part of it.
#include <map>
#include <string>
#include <vector>

#include "model/scheme.h"
#include "model/state.h"
#include "storage/ini_document.h"
#include "storage/stickers.h"

namespace wisplet {

struct SettingsContent {
  // The [Main] keys the program owns other than the counts, each read with
  // its default when missing (so every key is always there).
  std::map<std::string, std::string> Main;
  TListColorScheme Schemes;
  std::vector<StickerRecord> Notes;
  // Recently closed notes, most recent first, in [ClosedN] (stickers.h).
  std::vector<StickerRecord> Closed;
  // The file did not look whole when read (see LooksDamaged): a merge then
  // takes nothing away and overwrites nothing because of it.
  bool Damaged = false;

  bool operator==(const SettingsContent&) const = default;
};

// The owned [Main] keys in their text form, with their defaults; a new
// setting is one more line in each of the two functions below, and in the
// reading and writing of [Main] (settings.h), and merges without further change.
const std::map<std::string, std::string>& MainSettingDefaults();
std::map<std::string, std::string> MainSettingsOf(const ProgramState& state);
void ApplyMainSettings(const std::map<std::string, std::string>& main, ProgramState& state);

// The parts of the file a save writes; the others keep what the file holds.
enum SettingsGroup : unsigned {
  kMainGroup = 1,     // [Main]'s settings
  kSchemesGroup = 2,  // [SchemeN]
  kNotesGroup = 4,    // [StickerN] and the recently closed [ClosedN]
  kAllGroups = kMainGroup | kSchemesGroup | kNotesGroup,
};

// A file looks damaged when it holds no [Main] section (an empty or missing
// file, NUL bytes or other binary data), holds a NUL byte anywhere, or its
// counts disagree with its sections: a counted [SchemeN], [StickerN] or [ClosedN] is
// missing, a section at the count itself is there (the program erases those
// at every save), or a note lacks the last body line its count promises. A
// file cut short by a crash or a sync still in progress is found this way.
bool LooksDamaged(const IniDocument& doc);

// The file's content. Of a damaged file, the notes and schemes of counted
// sections that are missing are left out (start-up loading makes default ones).
SettingsContent ReadSettingsContent(const IniDocument& doc);
// Writes the groups named (SettingsGroup) into `doc`, keeping every other line.
void WriteSettingsContent(const SettingsContent& content, IniDocument& doc, unsigned groups = kAllGroups);

}  // namespace wisplet
