// Wisplet: desktop notes that live in the notification area.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <exception>
#include <vector>

#include "app/app.h"
#include "app/app_paths.h"
#include "app/command_window.h"
#include "app/main_form.h"
#include "app/one_instance.h"
#include "base/message_loop.h"
#include "dialogs/form_options.h"
#include "base/wide_text.h"
#include "model/command_line.h"

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

// The arguments after the program's name, split and unquoted as the shell does.
std::vector<std::string> CommandLineArguments() {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; argv && i < count; ++i) args.push_back(Utf8(argv[i]));
  if (argv) LocalFree(argv);
  return args;
}

// COM for the objects the notes show screen readers, for the program's life.
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (ok_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application& app = App();
  app.ExeName = ModuleFileName();
  app.Title = ApplicationTitle(app.ExeName, Lower);

  const ParsedCommandLine parsed = ParseCommandLine(CommandLineArguments());
  if (!parsed.message.empty()) {
    MessageBoxW(nullptr, Wide(parsed.message).c_str(), Wide(app.Title).c_str(),
                MB_OK | MB_SETFOREGROUND | (parsed.error ? MB_ICONERROR : MB_ICONINFORMATION));
    return parsed.error ? 1 : 0;
  }
  const HandedCommand command{parsed.command, parsed.text};

  // Declared first so that it is released last, after every window is gone.
  InstanceGuard guard;
  switch (ChooseStart(command.command, !guard.IsFirstInstance(app.Title))) {
    case StartChoice::EndQuietly: return 0;
    case StartChoice::HandOver: return HandCommandOver(app.Title, command) ? 0 : 1;
    case StartChoice::StartWisplet: break;
  }

  SetErrorReporter(&ShowErrorBox);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  ComScope com;

  int exitCode = 0;
  try {
    ProgramForms forms;
    app.FormMain->LoadAll();
    CommandWindow commands(app);
    if (command.command != AppCommand::None) commands.Post(command);
    app.FormOptions->StartUpDone();
    exitCode = RunMessageLoop(app.FormMain->Handle());
  } catch (const std::exception& e) {
    ShowErrorBox(e.what());
    exitCode = 1;
  }
  return exitCode;
}
