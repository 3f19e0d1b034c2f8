// Wisplet: desktop notes that live in the notification area.
#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <vector>

#include "app/app.h"
#include "app/app_paths.h"
#include "app/main_form.h"
#include "app/one_instance.h"
#include "base/message_loop.h"
#include "base/wide_text.h"

using namespace wisplet;

namespace {

std::string ModuleFileName() {
  std::vector<wchar_t> buffer(32768);
  DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  return Utf8(std::wstring_view(buffer.data(), n));
}

std::string Lower(const std::string& text) {
  std::wstring wide = Wide(text);
  if (!wide.empty()) CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return Utf8(wide);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application& app = App();
  app.ExeName = ModuleFileName();
  app.Title = ApplicationTitle(app.ExeName, Lower);

  // Declared first so that it is released last, after every window is gone.
  InstanceGuard guard;
  if (!guard.IsFirstInstance(app.Title)) return 0;

  SetErrorReporter(&ShowErrorBox);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  int exitCode = 0;
  try {
    ProgramForms forms;
    app.FormMain->LoadAll();
    exitCode = RunMessageLoop(app.FormMain->Handle());
  } catch (const std::exception& e) {
    ShowErrorBox(e.what());
    exitCode = 1;
  }
  return exitCode;
}
