// Saves and the changes others make to the settings file: every save merges
// with the file as it is now, and what a merge brings is shown at once
// without disturbing what the user is doing.
#include "app/app.h"
#include "dialogs/form_options.h"
#include "dialogs/form_sticker.h"
#include "model/errors.h"
#include "notes/sticker_list.h"
#include "storage/merge.h"

namespace wisplet {

SettingsContent Application::Ours() const {
  SettingsContent ours;
  ours.Main = MainSettingsOf(State);
  ours.Schemes = State.ColorSchemes;
  ours.Notes = StickerRecords(State.Stickers);
  ours.Closed = ClosedNotes;
  return ours;
}

bool Application::SaveGroups(unsigned groups) {
  const TListSticker notes = State.Stickers;
  const SettingsContent ours = Ours();
  const SettingsSync::SaveResult saved = Sync->Save(ours, groups);
  if (saved.merge) TakeMerged(*saved.merge, ours, notes);
  if (!saved.error.empty()) throw Error(saved.error);
  return !saved.held;
}

void Application::TakeMerged(const MergeResult& merge, const SettingsContent& ours, const TListSticker& notes) {
  if (merge.sameAsOurs) return;
  const SettingsContent& now = merge.merged;
  if (now.Notes != ours.Notes || !merge.closedElsewhere.empty()) {
    // An open editor keeps its fields; "Complete Edit" on a note closed
    // meanwhile makes a new note of them.
    TListSticker list;
    for (std::size_t i = 0; i < now.Notes.size(); ++i) {
      const int from = merge.notesOrigin[i];
      if (from < 0) {
        LoadStickers(list, {now.Notes[i]}, *this, NoteWindows);
        continue;
      }
      TStickerWindow* note = notes[static_cast<std::size_t>(from)];
      ApplyStickerRecord(*note, ours.Notes[static_cast<std::size_t>(from)], now.Notes[i]);
      list.push_back(note);
    }
    for (std::size_t closed : merge.closedElsewhere) notes[closed]->Discard();
    State.Stickers = std::move(list);
  }
  ClosedNotes = now.Closed;
  const bool schemes = now.Schemes != ours.Schemes, main = now.Main != ours.Main;
  if (schemes) State.ColorSchemes = now.Schemes;
  if (main) ApplyMainSettings(now.Main, State);
  if (schemes && FormSticker) FormSticker->SchemesChanged();
  if ((schemes || main) && FormOptions) FormOptions->SettingsChanged();
  BuildNotesListMenu();
}

SettingsSync::Change Application::TakeChangesFromOutside() {
  const TListSticker notes = State.Stickers;
  const SettingsContent ours = Ours();
  MergeResult merge;
  const SettingsSync::Change change = Sync->Incoming(ours, merge);
  if (change == SettingsSync::Change::Merged) TakeMerged(merge, ours, notes);
  return change;
}

bool Application::MergeConflictCopy(const std::string& bytes) {
  const TListSticker notes = State.Stickers;
  const SettingsContent ours = Ours();
  const std::optional<MergeResult> merge = Sync->MergeCopy(ours, bytes);
  if (!merge) return false;
  TakeMerged(*merge, ours, notes);
  // Written at once, so that the copy can go; only what it brought.
  const unsigned groups = (merge->merged.Notes != ours.Notes ? kNotesGroup : 0u) |
                          (merge->merged.Schemes != ours.Schemes ? kSchemesGroup : 0u);
  if (groups) SaveGroups(groups);
  return true;
}

void Application::KeepAsSecondNote(TStickerWindow& note) {
  LoadStickers(State.Stickers, {SecondNoteOf(StickerRecords({&note}).front())}, *this, NoteWindows);
  BuildNotesListMenu();
}

}  // namespace wisplet
