// The note list's operations: new notes in the cascade, edits, the notes-list
// submenu and showing or hiding every note.
#include <algorithm>

#include "app/app.h"
#include "base/menu_look.h"
#include "base/message_loop.h"
#include "dialogs/tray_commands.h"
#include "notes/cascade.h"
#include "notes/sticker_list.h"

namespace wisplet {

HMENU Application::CreateNotesListMenu() {
  if (!NotesListMenu) NotesListMenu = CreatePopupMenu();
  ClearLookMenu(NotesListMenu);
  AppendLookItem(NotesListMenu, kCmdShowAll, "Show All Notes");
  AppendLookItem(NotesListMenu, kCmdHideAll, "Hide All Notes");
  AppendLookItem(NotesListMenu, 0, nullptr);
  BuildNotesListMenu();
  return NotesListMenu;
}

void Application::DestroyNotesListMenu() {
  for (HMENU* menu : {&NotesListMenu, &ClosedNotesMenu}) {
    if (!*menu) continue;
    ClearLookMenu(*menu);
    DestroyMenu(*menu);
    *menu = nullptr;
  }
}

void Application::RebuildNoteMenus() {
  for (auto& note : NoteWindows) note->RebuildMenu();
}

TStickerWindow& Application::CreateSticker(const std::string& title, const std::string& memo,
                                           const TColorScheme& scheme) {
  NoteWindows.push_back(std::make_unique<TStickerWindow>(*this));
  TStickerWindow& note = *NoteWindows.back();
  // Notes made within one second would share their date and time; merges
  // with another writer match notes by ID, so a number keeps them apart.
  const std::string made = note.ID;
  auto taken = [&](const std::string& id) {
    return std::any_of(State.Stickers.begin(), State.Stickers.end(), [&](auto* n) { return n->ID == id; }) ||
           std::any_of(ClosedNotes.begin(), ClosedNotes.end(), [&](auto& n) { return n.ID == id; });
  };
  for (int n = 2; taken(note.ID); ++n) note.ID = made + "-" + std::to_string(n);
  note.SetTitle(title);
  note.SetMemo(memo);
  note.ApplyScheme(scheme);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT b = note.Bounds();
  CascadeSlot slot = NextCascadeSlot(State.CascadeRow, State.CascadeColumn, b.right - b.left,
                                     b.bottom - b.top, Rect{work.left, work.top, work.right, work.bottom},
                                     GetSystemMetrics(SM_CXSCREEN), note.Dpi());
  note.SetTop(slot.top);
  note.SetLeft(slot.left);
  note.SetActive(true);
  AddSticker(note);
  return note;
}

void Application::UpdateSticker(TStickerWindow& note, const std::string& title,
                                const std::string& memo, const TColorScheme& scheme) {
  note.SetTitle(title);
  note.SetMemo(memo);
  note.ApplyScheme(scheme);
  BuildNotesListMenu();
}

void Application::AddSticker(TStickerWindow& note) {
  State.Stickers.push_back(&note);
  BuildNotesListMenu();
}

void Application::BuildNotesListMenu() {
  if (!NotesListMenu) return;
  TruncateLookMenu(NotesListMenu, kNotesListFixedItems);
  for (std::size_t i = 0; i < State.Stickers.size(); ++i)
    AppendLookItem(NotesListMenu, kCmdNotesListFirst + i, State.Stickers[i]->Title.c_str());
  if (State.Stickers.empty()) AppendLookItem(NotesListMenu, kCmdNoneItem, "<None>", 0, MF_GRAYED);
  // The notes closed last, only while there are any: without them the
  // submenu is as it always was.
  if (ClosedNotes.empty()) return;
  if (!ClosedNotesMenu) ClosedNotesMenu = CreatePopupMenu();
  ClearLookMenu(ClosedNotesMenu);
  for (std::size_t i = 0; i < ClosedNotes.size(); ++i)
    AppendLookItem(ClosedNotesMenu, kCmdClosedFirst + i, ClosedNotes[i].Title.c_str());
  AppendLookItem(ClosedNotesMenu, 0, nullptr);
  AppendLookItem(ClosedNotesMenu, kCmdClearClosed, "Clear List");
  AppendLookItem(NotesListMenu, 0, nullptr);
  AppendLookItem(NotesListMenu, reinterpret_cast<UINT_PTR>(ClosedNotesMenu), "Recently closed", 0, MF_POPUP);
}

void Application::NotesListItemClick(std::size_t index) {
  if (index >= State.Stickers.size()) return;
  TStickerWindow* note = State.Stickers[index];
  note->SetActive(true);
  note->ShowNote();
  // Chosen from the menu, by mouse or by keys: it takes the keyboard, so that
  // its shortcuts work at once.
  SetForegroundWindow(note->Handle());
}

void Application::RestoreClosedNote(std::size_t index) {
  if (index >= ClosedNotes.size()) return;
  StickerRecord note = ClosedNotes[index];
  ClosedNotes.erase(ClosedNotes.begin() + static_cast<std::ptrdiff_t>(index));
  note.Active = true;  // back where it was, shown
  LoadStickers(State.Stickers, {note}, *this, NoteWindows);
  BuildNotesListMenu();
  SaveAllStickers();
}

void Application::ClearClosedNotes() {
  ClosedNotes.clear();
  BuildNotesListMenu();
}

bool Application::IsLive(const TStickerWindow* note) const {
  return std::find(State.Stickers.begin(), State.Stickers.end(), note) != State.Stickers.end();
}

void Application::ShowAllStickers() {
  // Messages run between notes and may close one: walk a copy of the list and
  // skip a note that is gone by the time its turn comes.
  const TListSticker notes = State.Stickers;
  for (TStickerWindow* note : notes) {
    if (!IsLive(note)) continue;
    note->SetActive(true);
    ProcessMessages();
  }
}

void Application::HideAllStickers() {
  const TListSticker notes = State.Stickers;
  for (TStickerWindow* note : notes)
    if (IsLive(note)) note->SetActive(false);
}

}  // namespace wisplet
