#include "base/message_loop.h"

#include <algorithm>
#include <vector>

namespace wisplet {
namespace {

std::vector<HWND>& ModelessDialogs() {
  static std::vector<HWND> dialogs;
  return dialogs;
}

void Dispatch(MSG& msg) {
  const auto& dialogs = ModelessDialogs();
  bool handled = std::any_of(dialogs.begin(), dialogs.end(), [&](HWND dialog) {
    return IsWindowVisible(dialog) && IsDialogMessageW(dialog, &msg);
  });
  if (handled) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace

void AddModelessDialog(HWND dialog) { ModelessDialogs().push_back(dialog); }

void RemoveModelessDialog(HWND dialog) {
  auto& dialogs = ModelessDialogs();
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

void ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
      return;
    }
    Dispatch(msg);
  }
}

int RunMessageLoop(HWND mainWindow) {
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    Dispatch(msg);
    // The quit request can be swallowed by a menu's own loop when the exit
    // sequence runs while a menu is open; the main window's end is final.
    if (!IsWindow(mainWindow)) return 0;
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace wisplet
