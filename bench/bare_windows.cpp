// The floor under Wisplet's start-up: a bare program that makes N windows
// with the notes' styles (borderless layered tool windows), places each and
// shows it, then waits in its message loop like Wisplet does.
//   WispletBareWindows.exe N
#include <windows.h>

#include <cstdlib>
#include <vector>

namespace {

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE) {
    DestroyWindow(hwnd);
    return 0;
  }
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void Register(const char* name, UINT style, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const int count = std::atoi(commandLine);
  Register("BareMain", 0, MainProc);
  Register("BareNote", CS_SAVEBITS | CS_DBLCLKS, DefWindowProcA);
  CreateWindowExA(0, "BareMain", "", WS_POPUP, 0, 0, 100, 30, nullptr, nullptr, nullptr, nullptr);
  std::vector<HWND> notes;
  for (int i = 0; i < count; ++i) {
    // Where and how big the start-up bench's stored notes are.
    int left = (i / 14) % 5 * 200, top = (i % 14) * 50;
    HWND note = CreateWindowExA(WS_EX_TOOLWINDOW, "BareNote", "", WS_POPUP | WS_CLIPCHILDREN | WS_BORDER, 0, 0,
                                200, 50, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongA(note, GWL_EXSTYLE, GetWindowLongA(note, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(note, 0, 255, LWA_ALPHA);
    SetWindowPos(note, nullptr, left, top, 200, 50, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(note, HWND_TOP, left, top, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    notes.push_back(note);
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  for (HWND note : notes) DestroyWindow(note);
  return 0;
}
