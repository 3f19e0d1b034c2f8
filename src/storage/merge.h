#pragma once
// Three-way merge of the settings file, so that a save never drops what
// another writer put there: a second PC through a synced folder, a hand edit,
// a sync client's conflict copy. Data in, data out; reading the file, watching
// it and writing it are the caller's.
//
// How the caller uses it. `base` is the content this run last read from or
// wrote to the file; `ours` is what the program holds now; `theirs` is the
// file as it is now (ReadSettingsContent of its document; a missing file reads
// as an empty document, which counts as damaged). After a Save the caller
// writes `merged` (unless sameAsTheirs) and it becomes the new base; after an
// Incoming merge the caller shows `merged` and theirs becomes the new base. A
// save can read, merge and write in one TIniFile::Update: theirs is read from
// the document the edit is handed, and merged is written back into it. A
// damaged theirs never becomes the base; report it once. A conflict copy is
// merged against the current base, which stays; then the copy is renamed.
// Merging the result again with the same base and theirs changes nothing (a
// save whose write failed can simply merge again). Only notes that share an
// ID, where order alone paired them, may come back in another order or with
// each other's place or look; and of two that share their text too, once one
// has moved, which of them the other side closed cannot be told.
//
// The rules. Notes are matched by ID. Where notes share an ID (made within
// the same second, or old files' empty IDs) a note pairs with the base's
// equal note first, then with one of the same title and text; then notes that
// agree on both sides (equal, or of one text) pair with each other and take a
// base note in order; only then does order alone pair the rest - so closing or
// moving one of several such notes elsewhere is not taken for a change of all
// of them. A note's fields merge in groups: text (title and body), look (its
// scheme), place (position and size) and state (shown, on top, rolled up).
// - A note added on either side is kept; one added on both sides with the
//   same ID merges as below with no base.
// - A group changed on one side only takes that side's value.
// - Text changed on both sides to different texts: our note stays as it is and
//   the other side's note is added as a second note, " (changed elsewhere)"
//   after its title, with an ID of its own made from its ID and text: the
//   same merge done again makes the same note, and never a second time, not
//   even as a note added there when the notes pair another way.
// - Look, place or state changed on both sides: the side that wrote last wins
//   (Save: ours; Incoming: theirs). A note moved on both PCs is not doubled.
// - Closed elsewhere and its text unchanged here: closed here too (listed in
//   closedElsewhere and put at the front of Closed). Its text changed here: kept.
// - Closed here and its text unchanged elsewhere: stays closed, even if moved
//   there. Its text changed elsewhere: it comes back as the other side has it.
// - Order: the notes in the order of the side that wrote last, then the other
//   side's notes it lacks in their order, then the second notes. Taking the
//   last writer's order lets two PCs settle on one order instead of each
//   rewriting the file in its own.
// Schemes merge by name in the same way, a scheme being one group: changed on
// both sides keeps ours and adds theirs as "<name> (changed elsewhere)" (with
// " 2", " 3"... inside the parentheses when another scheme has that name).
// Main settings merge per key; changed on both sides, the last writer wins.
// Closed merges as a list of whole records in the last writer's order:
// entries added on either side are kept (the other side's new ones in front),
// entries removed on either side (restored or cleared) are gone, and notes
// closed by this merge come first unless the list already holds their text.
// It grows no longer than kClosedNotesKept or the longer side's list.
//
// A damaged theirs or a conflict copy was not written from our base, so it is
// merged without trust: it never removes or overwrites anything. Its notes
// whose text (title and body) the base, our notes or our recently closed
// notes hold are known to us - kept, changed or closed here - and add
// nothing; any other is added, as a second note when we hold a note of its ID.
// Schemes likewise; its main settings and the removals in its Closed are
// ignored.
#include <cstddef>
#include <string>
#include <vector>

#include "storage/settings_content.h"

namespace wisplet {

inline constexpr std::size_t kClosedNotesKept = 20;
inline constexpr const char* kChangedElsewhereMark = " (changed elsewhere)";

enum class MergeKind {
  Save,          // before writing: ours is what the program is about to write
  Incoming,      // the file changed from outside: theirs is the newer writer
  ConflictCopy,  // a sync client's copy beside the file (conflict_copy.h)
};

struct MergeResult {
  SettingsContent merged;
  // For each merged note, the index in ours.Notes of the note it continues,
  // or -1 for a note new to us (added elsewhere, brought back, a second note).
  std::vector<int> notesOrigin;
  // Indices in ours.Notes of the notes closed elsewhere, in order; they go to
  // the front of merged.Closed, but for those whose text it already held.
  std::vector<std::size_t> closedElsewhere;
  bool theirsDamaged = false;  // damaged while it or the base held notes or schemes
  bool sameAsTheirs = false;   // the file already holds merged: a save need not write
  bool sameAsOurs = false;     // nothing changes for the program
};

MergeResult MergeSettings(const SettingsContent& base, const SettingsContent& ours,
                          const SettingsContent& theirs, MergeKind kind);

// The other side's version of a note as the second note a merge makes of it:
// kChangedElsewhereMark after its title, an ID made from its ID and text.
StickerRecord SecondNoteOf(const StickerRecord& theirs);

}  // namespace wisplet
