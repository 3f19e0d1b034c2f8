#include "app/main_form.h"

#include <exception>

#include "app/app.h"
#include "app/app_paths.h"
#include "base/message_loop.h"
#include "notes/sticker_list.h"
#include "storage/stickers.h"
#include "storage/win32_settings.h"

namespace wisplet {
namespace {
const wchar_t kClassName[] = L"TFormMain";
}

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
  app.SettingsStore = std::make_unique<Win32SettingsFile>(ChangeFileExt(app.ExeName, ".ini"));
  app.IniFile = std::make_unique<TIniFile>(*app.SettingsStore, AnsiCodePages());
  app.MachineRun = std::make_unique<RegistryAutorunStore>(HKEY_LOCAL_MACHINE);
  app.UserRun = std::make_unique<RegistryAutorunStore>(HKEY_CURRENT_USER);
  app.Messages = std::make_unique<BoxMessageSink>();
  LoadMainSettings(app.State, app.IniFile->Load(), app.Autorun(), app.ExeName, *app.Messages);
}

void TFormMain::LoadAll() {
  Application& app = App();
  IniDocument doc = app.IniFile->Load();
  LoadSchemes(app.State.ColorSchemes, doc);
  LoadStickers(app.State.Stickers, ReadStickers(doc), app, app.NoteWindows);
  app.BuildNotesListMenu();
  ProcessMessages();
}

void TFormMain::ExitSequence() {
  Application& app = App();
  SaveAutorun(app.State, app.Autorun(), app.ExeName, *app.Messages);
  SaveSettingsFile(/*withMain=*/true);
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
    SaveSettingsFile(autorunSaved);
  } catch (const std::exception&) {
  }
}

void TFormMain::SaveSettingsFile(bool withMain) {
  Application& app = App();
  const std::vector<StickerRecord> notes = StickerRecords(app.State.Stickers);
  // [Main], the schemes and the notes in one replacement of the file: a save
  // cut short, by a crash or the process being ended, leaves the old file or
  // the new one and never a mix of the two.
  app.IniFile->Update([&](IniDocument& doc) {
    if (withMain) WriteMainSettings(app.State, doc);
    WriteSchemes(app.State.ColorSchemes, doc);
    WriteStickers(notes, doc);
  });
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
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefaultHandling(msg, wParam, lParam);
}

}  // namespace wisplet
