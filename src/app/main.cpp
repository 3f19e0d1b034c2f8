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

using namespace wisplet;

namespace {

std::string ModuleFileName() {
  std::vector<char> buffer(32768);
  DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  return std::string(buffer.data(), n);
}

std::string LowerAnsi(std::string text) {
  if (!text.empty()) CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application& app = App();
  app.ExeName = ModuleFileName();
  app.Title = ApplicationTitle(app.ExeName, LowerAnsi);

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
