// A small helper for the scripts that run Wisplet under Wine:
//   WispletDriver keep                keep the virtual desktop alive (hidden window)
//   WispletDriver wait-desktop SEC    wait for the desktop's taskbar
//   WispletDriver wait-up SEC         wait for Wisplet's hidden main window
//   WispletDriver close SEC           ask Wisplet to exit and wait until it has
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool WaitFor(double seconds, bool (*done)()) {
  DWORD until = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  while (!done()) {
    if (static_cast<LONG>(GetTickCount() - until) >= 0) return false;
    Sleep(50);
  }
  return true;
}

HWND MainWindow() { return FindWindowA("TFormMain", nullptr); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const char* command = argv[1];
  double seconds = argc > 2 ? std::atof(argv[2]) : 30;
  if (!std::strcmp(command, "keep")) {
    CreateWindowA("STATIC", "WispletDesktopKeeper", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                  nullptr, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
  }
  if (!std::strcmp(command, "wait-desktop"))
    return WaitFor(seconds, [] { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }) ? 0 : 1;
  if (!std::strcmp(command, "wait-up")) return WaitFor(seconds, [] { return MainWindow() != nullptr; }) ? 0 : 1;
  if (!std::strcmp(command, "close")) {
    HWND main = MainWindow();
    if (!main) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageA(main, WM_CLOSE, 0, 0);
    DWORD wait = process ? WaitForSingleObject(process, static_cast<DWORD>(seconds * 1000)) : WAIT_FAILED;
    if (process) CloseHandle(process);
    if (wait != WAIT_OBJECT_0) {
      std::fprintf(stderr, "Wisplet did not exit\n");
      return 1;
    }
    return 0;
  }
  return 2;
}
