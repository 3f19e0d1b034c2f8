#pragma once
// What the note editor, the options window and its tray menu ask of the rest
// of the program. The program object implements it; the dialogs never reach
// above their own layer.
#include <windows.h>

#include <cstddef>
#include <string>

#include "model/state.h"
#include "storage/settings.h"

namespace wisplet {

class TStickerWindow;
class TFormSticker;

class DialogHost {
 public:
  virtual ~DialogHost() = default;

  virtual ProgramState& SharedState() = 0;
  virtual TIniFile& Ini() = 0;
  // The hidden main form, parent of message boxes and shell calls.
  virtual HWND ApplicationWindow() const = 0;
  virtual const std::string& HelpFilePath() const = 0;
  virtual TFormSticker* Editor() = 0;

  // The note list.
  virtual TStickerWindow& CreateSticker(const std::string& title, const std::string& memo,
                                        const TColorScheme& scheme) = 0;
  virtual void UpdateSticker(TStickerWindow& note, const std::string& title,
                             const std::string& memo, const TColorScheme& scheme) = 0;
  // False for a note that was closed and dropped from the list.
  virtual bool IsLive(const TStickerWindow* note) const = 0;
  // Adds a copy of the note as it is now, marked as changed elsewhere, beside
  // it: its text changed elsewhere while the editor changed it here.
  virtual void KeepAsSecondNote(TStickerWindow& note) = 0;
  virtual void ShowAllStickers() = 0;
  virtual void HideAllStickers() = 0;
  virtual void NotesListItemClick(std::size_t index) = 0;
  // "Recently closed": brings the note closed `index`-th last back and saves;
  // forgets them all.
  virtual void RestoreClosedNote(std::size_t index) = 0;
  virtual void ClearClosedNotes() = 0;
  // The "Notes List" submenu, built afresh (for a change of the menu look).
  virtual HMENU CreateNotesListMenu() = 0;
  // Builds every note's menu again in the current menu look.
  virtual void RebuildNoteMenus() = 0;

  // Saves; each throws Error when the settings file cannot be written. While
  // a settings file that exists has not yet been read, they write nothing.
  virtual void SaveAllStickers() = 0;
  virtual void SaveSchemes() = 0;
  virtual void SaveMainSettings() = 0;

  virtual void ShowAbout() = 0;
  virtual void ExitSequence() = 0;
};

}  // namespace wisplet
