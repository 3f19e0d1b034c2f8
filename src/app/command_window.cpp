#include "app/command_window.h"

#include "app/app.h"
#include "base/wide_text.h"
#include "base/win32_handles.h"
#include "dialogs/form_sticker.h"

namespace wisplet {
namespace {

const wchar_t kClassName[] = L"WispletCommandWindow";
constexpr UINT kRunCommands = WM_APP + 1;
// How long a copy started with a command waits for the running copy: its
// start with many notes, and the exit sequence's save.
constexpr DWORD kFindWindowMs = 15000;
constexpr DWORD kAnswerMs = 10000;
constexpr DWORD kExitMs = 30000;

}  // namespace

CommandWindow::CommandWindow(Application& app) : app_(app) {
  RegisterWindowClass(kClassName, 0, nullptr);
  Create(kClassName, 0, 0, 0, 0, 0, 0, HWND_MESSAGE);
  SetWindowTextW(m_hwnd, Wide(app_.Title).c_str());
  // A Wisplet run as administrator still takes the commands of a start (an
  // installer, a launcher) that is not: Windows would otherwise drop them.
  // They do nothing a user could not do from the tray menu.
  ChangeWindowMessageFilterEx(m_hwnd, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
}

void CommandWindow::Post(HandedCommand command) {
  pending_.push_back(std::move(command));
  PostMessageW(m_hwnd, kRunCommands, 0, 0);
}

void CommandWindow::Run(const HandedCommand& command) {
  switch (command.command) {
    case AppCommand::NewNote:
      if (app_.FormSticker) app_.FormSticker->ShowFromTray(command.text);
      break;
    case AppCommand::ShowAll: app_.ShowAllStickers(); break;
    case AppCommand::HideAll: app_.HideAllStickers(); break;
    // Throws when the settings file cannot be written: the error is shown
    // and Wisplet keeps running, as after the tray's "Exit".
    case AppCommand::Exit: app_.ExitSequence(); break;
    case AppCommand::None: break;
  }
}

LRESULT CommandWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      std::optional<HandedCommand> command =
          data ? DecodeCommand(data->dwData, data->lpData, data->cbData) : std::nullopt;
      if (!command) return FALSE;
      // Not from inside the sender's call: the command may open a window or
      // a message box, and the sender would wait for it.
      Post(std::move(*command));
      return TRUE;
    }
    case kRunCommands: {
      std::vector<HandedCommand> commands;
      commands.swap(pending_);
      for (const HandedCommand& command : commands) Run(command);
      return 0;
    }
  }
  return DefaultHandling(msg, wParam, lParam);
}

bool HandCommandOver(const std::string& title, const HandedCommand& command) {
  const std::wstring wideTitle = Wide(title);
  HWND target = nullptr;
  // The running copy makes its window once its notes are loaded.
  const DWORD start = GetTickCount();
  while (!(target = FindWindowExW(HWND_MESSAGE, nullptr, kClassName, wideTitle.c_str()))) {
    if (GetTickCount() - start > kFindWindowMs) return false;
    Sleep(50);
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(target, &pid);
  // The running copy may bring the note editor to the front: this start
  // came from the user, so it lends its right to do that.
  AllowSetForegroundWindow(pid);
  KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
  const std::string bytes = EncodeCommand(command);
  COPYDATASTRUCT data{kCommandMessageTag, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
  DWORD_PTR answer = FALSE;
  if (!SendMessageTimeoutW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerMs,
                           &answer) ||
      answer != TRUE)
    return false;
  if (command.command != AppCommand::Exit) return true;
  return process && WaitForSingleObject(process.get(), kExitMs) == WAIT_OBJECT_0;
}

}  // namespace wisplet
