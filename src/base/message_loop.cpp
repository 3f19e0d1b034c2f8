#include "base/message_loop.h"

#include <algorithm>
#include <vector>

namespace wisplet {
namespace {

std::vector<HWND>& ModelessDialogs() {
  static std::vector<HWND> dialogs;
  return dialogs;
}

struct WatchedHandle {
  HANDLE handle;
  std::function<void()> signalled;
};
std::vector<WatchedHandle>& WatchedHandles() {
  static std::vector<WatchedHandle> handles;
  return handles;
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

void WatchHandle(HANDLE handle, std::function<void()> signalled) {
  WatchedHandles().push_back({handle, std::move(signalled)});
}

void UnwatchHandle(HANDLE handle) {
  auto& handles = WatchedHandles();
  handles.erase(std::remove_if(handles.begin(), handles.end(), [&](const WatchedHandle& w) { return w.handle == handle; }),
                handles.end());
}

bool InMenuOrMoveLoop() {
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  return GetGUIThreadInfo(GetCurrentThreadId(), &gui) &&
         (gui.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE | GUI_INMOVESIZE));
}

int RunMessageLoop(HWND mainWindow) {
  MSG msg{};
  for (;;) {
    // Every waiting event first, so that a handle signalled again and again
    // cannot keep the windows waiting.
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
      Dispatch(msg);
      // The quit request can be swallowed by a menu's own loop when the exit
      // sequence runs while a menu is open; the main window's end is final.
      if (!IsWindow(mainWindow)) return 0;
    }
    std::vector<HANDLE> handles;
    for (const WatchedHandle& w : WatchedHandles()) handles.push_back(w.handle);
    const auto count = static_cast<DWORD>(handles.size());
    const DWORD woke = MsgWaitForMultipleObjectsEx(count, handles.data(), INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke == WAIT_FAILED) WaitMessage();  // a handle gone bad: the windows go on
    if (woke >= WAIT_OBJECT_0 + count) continue;
    const std::function<void()> signalled = WatchedHandles()[woke - WAIT_OBJECT_0].signalled;
    signalled();
  }
}

}  // namespace wisplet
