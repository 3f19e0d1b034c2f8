#include "base/window.h"

#include <exception>

namespace wisplet {
namespace {
ErrorReporter g_reporter = nullptr;
}

void SetErrorReporter(ErrorReporter reporter) { g_reporter = reporter; }

Window::~Window() {
  if (m_hwnd) {
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
    DestroyWindow(m_hwnd);
  }
}

void Window::RegisterWindowClass(const char* className, UINT classStyle, HBRUSH background,
                                 HICON icon) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{sizeof existing};
  if (GetClassInfoExA(instance, className, &existing)) return;
  WNDCLASSEXA wc{sizeof wc};
  wc.style = classStyle;
  wc.lpfnWndProc = &Window::WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.lpszClassName = className;
  RegisterClassExA(&wc);
}

bool Window::Create(const char* className, DWORD exStyle, DWORD style, int x, int y, int width,
                    int height, HWND parent, int childId) {
  CreateWindowExA(exStyle, className, "", style, x, y, width, height, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)), GetModuleHandleA(nullptr), this);
  return m_hwnd != nullptr;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(msg, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(m_hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->m_hwnd = hwnd;
  }
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  // An error a handler does not catch ends that action only; the program goes on.
  try {
    LRESULT result = self->HandleMessage(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) self->m_hwnd = nullptr;
    return result;
  } catch (const std::exception& e) {
    if (g_reporter) g_reporter(e.what());
  }
  return 0;
}

}  // namespace wisplet
