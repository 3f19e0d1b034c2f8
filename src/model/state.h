#pragma once
// The state the whole program shares, alive from start-up to exit.
#include <string>
#include <vector>

#include "model/hotkey.h"
#include "model/scheme.h"

namespace wisplet {

class TStickerWindow;
// References to the note windows in creation order; the list does not own them.
using TListSticker = std::vector<TStickerWindow*>;

struct ProgramState {
  TColorScheme CurrentScheme = DefaultScheme();  // what a new or edited note gets
  TListColorScheme ColorSchemes;
  bool AutoRun = false;                 // started when the user logs on
  std::string CurrentStyle = "Default"; // menu look: "Default" or "OfficeXP"
  Hotkey NewNoteHotkey = DefaultHotkey(HotkeyAction::NewNote);  // system-wide keys
  Hotkey ShowHideHotkey = DefaultHotkey(HotkeyAction::ShowHideNotes);
  TListSticker Stickers;
  int CascadeRow = 0;                   // where the next new note goes
  int CascadeColumn = 0;
};

// The field of ProgramState that holds an action's key: state.*HotkeyField(a).
constexpr Hotkey ProgramState::*HotkeyField(HotkeyAction action) {
  return action == HotkeyAction::NewNote ? &ProgramState::NewNoteHotkey : &ProgramState::ShowHideHotkey;
}

}  // namespace wisplet
