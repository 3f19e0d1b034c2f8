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
  static void RegisterWindowClass(const char* className, UINT classStyle, HBRUSH background,
                                  HICON icon = nullptr);
  bool Create(const char* className, DWORD exStyle, DWORD style, int x, int y, int width,
              int height, HWND parent, int childId = 0);
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam);

  HWND m_hwnd = nullptr;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

}  // namespace wisplet
