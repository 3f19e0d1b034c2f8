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
const char kClassName[] = "TFormMain";
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
  app.IniFile = std::make_unique<TIniFile>(*app.SettingsStore, AnsiCodec());
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
  app.SaveMainSettings();
  SaveSchemes(app.State.ColorSchemes, *app.IniFile);
  app.SaveAllStickers();
  DestroyWindow(m_hwnd);
}

void TFormMain::SaveAllQuietly() {
  Application& app = App();
  SilentMessageSink silent;
  // Each part on its own, so one failure does not cost the others.
  try {
    SaveMainSettings(app.State, *app.IniFile, app.Autorun(), app.ExeName, silent);
  } catch (const std::exception&) {
  }
  try {
    SaveSchemes(app.State.ColorSchemes, *app.IniFile);
  } catch (const std::exception&) {
  }
  try {
    app.SaveAllStickers();
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
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefaultHandling(msg, wParam, lParam);
}

}  // namespace wisplet
