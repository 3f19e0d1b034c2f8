#include "app/main_form.h"

#include <shlobj.h>

#include <exception>

#include "app/app.h"
#include "app/app_paths.h"
#include "app/settings_watch.h"
#include "base/message_loop.h"
#include "base/wide_text.h"
#include "model/errors.h"
#include "notes/sticker_list.h"
#include "storage/stickers.h"
#include "storage/win32_settings.h"

namespace wisplet {
namespace {

const wchar_t kClassName[] = L"TFormMain";
// Posted once the notes are loaded, so that the message comes up over a
// program that is already running.
constexpr UINT kShowUnreadMessage = WM_APP + 1;
// How often an unreadable settings file is tried again; there is no timer
// once it has been read.
constexpr UINT_PTR kRetryReadTimer = 1;
constexpr UINT kRetryReadMs = 5000;

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

// Whether the folder takes new files: a probe file is made there and removed.
// (GetTempFileName is no test: Wine's reports a name it could not create.)
bool FolderTakesNewFiles(const std::string& folder) {
  const std::string probe = folder + "\\wisplet-" + std::to_string(GetCurrentProcessId()) + ".probe";
  // Gone again as soon as it is closed.
  const FileHandle file(CreateFileW(Wide(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return static_cast<bool>(file);
}

// A file that exists but cannot be looked at (no right to) counts as there.
bool FileExistsAt(const std::string& path) {
  if (GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD error = GetLastError();
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

std::string SettingsFileLocation(const std::string& exePath) {
  wchar_t appData[MAX_PATH + 1] = {};
  const std::string folder =
      SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)) ? Utf8(appData) : "";
  const std::string path =
      SettingsFilePath(exePath, folder, FileExistsAt(ChangeFileExt(exePath, ".ini")),
                       !folder.empty() && FileExistsAt(AppDataSettingsPath(exePath, folder)),
                       [&] { return FolderTakesNewFiles(FolderOf(exePath)); });
  if (path != ChangeFileExt(exePath, ".ini")) CreateDirectoryW(Wide(FolderOf(path)).c_str(), nullptr);
  return path;
}

}  // namespace

TFormMain::TFormMain() {
  RegisterWindowClass(kClassName, 0, nullptr);
  RECT r{0, 0, 115, 33};
  AdjustWindowRectEx(&r, WS_POPUP, FALSE, 0);
  Create(kClassName, 0, WS_POPUP, 0, 0, r.right - r.left, r.bottom - r.top, nullptr);
}

void TFormMain::FormCreate() {
  Application& app = App();
  app.HelpFile = ChangeFileExt(app.ExeName, ".chm");
  app.State.CascadeRow = 0;
  app.State.CascadeColumn = 0;
  app.State.CurrentScheme = DefaultScheme();
  app.SettingsStore = std::make_unique<Win32SettingsFile>(SettingsFileLocation(app.ExeName));
  app.IniFile = std::make_unique<TIniFile>(*app.SettingsStore, AnsiCodePages());
  app.Sync = std::make_unique<SettingsSync>(*app.SettingsStore, *app.IniFile);
  app.MachineRun = std::make_unique<RegistryAutorunStore>(HKEY_LOCAL_MACHINE);
  app.UserRun = std::make_unique<RegistryAutorunStore>(HKEY_CURRENT_USER);
  app.Messages = std::make_unique<BoxMessageSink>();
  startupFile_ = app.Sync->Start();
  LoadMainSettings(app.State, startupFile_.value_or(IniDocument()), app.Autorun(), app.ExeName, *app.Messages);
}

void TFormMain::LoadAll() {
  Application& app = App();
  if (startupFile_) {
    LoadSchemes(app.State.ColorSchemes, *startupFile_);
    LoadStickers(app.State.Stickers, ReadStickers(*startupFile_), app, app.NoteWindows);
    app.ClosedNotes = ReadClosedStickers(*startupFile_);
    startupFile_.reset();
  } else {
    PostMessageW(m_hwnd, kShowUnreadMessage, 0, 0);
    SetTimer(m_hwnd, kRetryReadTimer, kRetryReadMs, nullptr);
  }
  app.BuildNotesListMenu();
  app.Watch = std::make_unique<SettingsWatch>(app.IniFile->FileName());
  app.Watch->Start();
  ProcessMessages();
}

void TFormMain::ShowUnreadMessage() {
  Application& app = App();
  if (app.Sync->HasRead()) return;  // read meanwhile: nothing to tell
  const std::string text = "Wisplet cannot read the file that holds your notes:\n" + app.IniFile->FileName() +
                           "\n\nAnother program may be keeping it open, or you may not be allowed to read it. "
                           "Nothing in the file will be overwritten. Your notes will appear as soon as Wisplet "
                           "can read it; notes you write until then are kept and added to them.";
  MessageBoxW(m_hwnd, Wide(text).c_str(), Wide(app.Title).c_str(), MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

void TFormMain::RetryRead() {
  Application& app = App();
  // Not while a menu is open or a note is dragged: the lists they show
  // would change under them.
  if (InMenuOrMoveLoop()) return;
  if (!app.Sync->HasRead()) {
    if (HeldWithoutSharing(app.IniFile->FileName())) return;
    // The file's notes and this run's together; a save that fails now is
    // made by the next one, since everything is in memory.
    try {
      if (!app.SaveGroups(kAllGroups)) return;
    } catch (const std::exception&) {
    }
    if (!app.Sync->HasRead()) return;
    if (app.Watch) app.Watch->CheckNow();  // conflict copies waiting beside it
  }
  KillTimer(m_hwnd, kRetryReadTimer);
}

void TFormMain::ExitSequence() {
  Application& app = App();
  SaveAutorun(app.State, app.Autorun(), app.ExeName, *app.Messages);
  // [Main], the schemes and the notes in one replacement of the file: a save
  // cut short, by a crash or the process being ended, leaves the old file or
  // the new one and never a mix of the two. A file that still cannot be read
  // is not written over: the program keeps running with everything in
  // memory, as after any failed save.
  if (!app.SaveGroups(kAllGroups)) throw Error(FormatMessage1("Unable to write to %s", app.IniFile->FileName()));
  DestroyWindow(m_hwnd);
}

void TFormMain::SaveAllQuietly() {
  Application& app = App();
  SilentMessageSink silent;
  // A registry value that cannot be written costs [Main] only.
  bool autorunSaved = true;
  try {
    SaveAutorun(app.State, app.Autorun(), app.ExeName, silent);
  } catch (const std::exception&) {
    autorunSaved = false;
  }
  try {
    app.SaveGroups(autorunSaved ? kAllGroups : kAllGroups & ~kMainGroup);
  } catch (const std::exception&) {
  }
}

LRESULT TFormMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      ExitSequence();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) SaveAllQuietly();
      return 0;
    case kShowUnreadMessage:
      ShowUnreadMessage();
      return 0;
    case WM_TIMER:
      if (wParam == kRetryReadTimer) RetryRead();
      return 0;
    case WM_DESTROY:
      KillTimer(m_hwnd, kRetryReadTimer);
      PostQuitMessage(0);
      return 0;
  }
  return DefaultHandling(msg, wParam, lParam);
}

}  // namespace wisplet
