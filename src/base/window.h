#pragma once
// The small base of every window of the program: `this` travels through
// lpCreateParams, is kept in GWLP_USERDATA, and each class answers messages in
// one HandleMessage switch.
#include <windows.h>

#include <string>

namespace wisplet {

// An error that a message handler lets escape ends that action only; the
// program shows it through the reporter it installs here.
using ErrorReporter = void (*)(const std::string& text);
void SetErrorReporter(ErrorReporter reporter);

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return m_hwnd; }

 protected:
  // Registers the class on first use; the class's window procedure is ours.
  static void RegisterWindowClass(const wchar_t* className, UINT classStyle, HBRUSH background,
                                  HICON icon = nullptr);
  bool Create(const wchar_t* className, DWORD exStyle, DWORD style, int x, int y, int width,
              int height, HWND parent, int childId = 0);
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam);
  // One painting function serves WM_PAINT, with the area to repaint, and
  // WM_PRINTCLIENT, with the whole client area. False for other messages.
  template <typename PaintFn>
  bool PaintMessage(UINT msg, WPARAM wParam, PaintFn paint) {
    if (msg == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(m_hwnd, &ps);
      paint(dc, ps.rcPaint);
      EndPaint(m_hwnd, &ps);
      return true;
    }
    if (msg == WM_PRINTCLIENT) {
      RECT client{};
      GetClientRect(m_hwnd, &client);
      paint(reinterpret_cast<HDC>(wParam), client);
      return true;
    }
    return false;
  }

  HWND m_hwnd = nullptr;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

}  // namespace wisplet
