#pragma once
// The program-wide objects that live from start-up to exit, in one place.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "dialogs/dialog_host.h"
#include "model/state.h"
#include "notes/sticker_window.h"
#include "storage/settings.h"
#include "storage/settings_content.h"
#include "storage/settings_sync.h"
#include "storage/stickers.h"

namespace wisplet {

class TFormMain;
class TFormSticker;
class TFormOptions;
class TFormAbout;
class SettingsWatch;

struct Application : NoteHost, DialogHost {
  std::string ExeName;   // the executable's full path as the system reports it
  std::string Title;     // names the instance mutexes and captions error boxes
  std::string HelpFile;  // the executable's path with ".chm"
  ProgramState State;

  std::unique_ptr<SettingsFile> SettingsStore;
  std::unique_ptr<TIniFile> IniFile;
  // What this run last read from or wrote to the settings file, which every
  // save merges against; until the file has been read, saves hold.
  std::unique_ptr<SettingsSync> Sync;
  // The settings file's folder, watched for changes made by others.
  std::unique_ptr<SettingsWatch> Watch;
  // The notes closed last, newest first.
  std::vector<StickerRecord> ClosedNotes;
  std::unique_ptr<AutorunStore> MachineRun;  // the log-on start entry's two places
  std::unique_ptr<AutorunStore> UserRun;
  std::unique_ptr<MessageSink> Messages;

  // The four forms in creation order; FormMain is the application window.
  TFormMain* FormMain = nullptr;
  TFormSticker* FormSticker = nullptr;
  TFormOptions* FormOptions = nullptr;
  TFormAbout* FormAbout = nullptr;

  // Every note window made in this run; State.Stickers lists the live ones.
  std::vector<std::unique_ptr<TStickerWindow>> NoteWindows;
  // The "Notes List" submenu of the tray menu and its "Recently closed".
  HMENU NotesListMenu = nullptr;
  HMENU ClosedNotesMenu = nullptr;

  // What notes ask of the program.
  void ShowEditNote(TStickerWindow& note) override;
  void ShowNewNote() override;
  void RemoveSticker(TStickerWindow& note) override;
  const TListSticker& NoteList() const override { return State.Stickers; }

  // What the dialogs ask of the program.
  ProgramState& SharedState() override { return State; }
  TIniFile& Ini() override { return *IniFile; }
  HWND ApplicationWindow() const override;
  const std::string& HelpFilePath() const override { return HelpFile; }
  TFormSticker* Editor() override { return FormSticker; }
  TStickerWindow& CreateSticker(const std::string& title, const std::string& memo,
                                const TColorScheme& scheme) override;
  void UpdateSticker(TStickerWindow& note, const std::string& title, const std::string& memo,
                     const TColorScheme& scheme) override;
  bool IsLive(const TStickerWindow* note) const override;
  void KeepAsSecondNote(TStickerWindow& note) override;
  void ShowAllStickers() override;
  void HideAllStickers() override;
  void NotesListItemClick(std::size_t index) override;
  void RestoreClosedNote(std::size_t index) override;
  void ClearClosedNotes() override;
  HMENU CreateNotesListMenu() override;
  void RebuildNoteMenus() override;
  // Writes every note of the list to the settings file; throws on failure.
  void SaveAllStickers() override;
  void SaveSchemes() override;
  void SaveMainSettings() override;
  void ShowAbout() override;
  void ExitSequence() override;

  AutorunEntry Autorun() { return {*MachineRun, *UserRun}; }
  // Every save: what the program holds is merged with the settings file as
  // it is now (nothing another writer put there is lost), the result is shown
  // and the groups named (SettingsGroup) are written in one replacement of
  // the file. False while a file unreadable since start-up still cannot be
  // read: nothing is written. Throws Error when the file cannot be written.
  bool SaveGroups(unsigned groups);
  // What the program holds of the settings file, the notes in list order.
  SettingsContent Ours() const;
  // Shows what a merge made of `ours`, the content of the notes `notes`:
  // notes added or changed elsewhere appear or change (the editor keeps what
  // it shows), notes closed elsewhere go to "Recently closed", and the
  // schemes, the main settings and the menus follow.
  void TakeMerged(const MergeResult& merge, const SettingsContent& ours, const TListSticker& notes);
  // The settings file changed from outside: merged in; nothing is written.
  SettingsSync::Change TakeChangesFromOutside();
  // Merges a sync client's conflict copy and saves what it brought; false
  // for a copy that looks damaged. Throws Error when the file cannot be written.
  bool MergeConflictCopy(const std::string& bytes);
  void AddSticker(TStickerWindow& note);
  void BuildNotesListMenu();
  void DestroyNotesListMenu();
};

Application& App();

// The four forms, created in the start-up order (the main settings are read
// right after the main form) and destroyed in the reverse order, the notes
// after them.
class ProgramForms {
 public:
  ProgramForms();
  ~ProgramForms();
  ProgramForms(const ProgramForms&) = delete;
  ProgramForms& operator=(const ProgramForms&) = delete;

 private:
  std::unique_ptr<TFormMain> main_;
  std::unique_ptr<TFormSticker> sticker_;
  std::unique_ptr<TFormOptions> options_;
  std::unique_ptr<TFormAbout> about_;
};

// An error box captioned with the application title.
void ShowErrorBox(const std::string& text);

// Error boxes for the registry messages, and a silent sink for the end of the
// session, when no dialog may appear.
class BoxMessageSink : public MessageSink {
 public:
  void ShowError(const std::string& text) override { ShowErrorBox(text); }
};
class SilentMessageSink : public MessageSink {
 public:
  void ShowError(const std::string&) override {}
};

}  // namespace wisplet
