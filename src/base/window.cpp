#include "base/window.h"

#include <exception>

namespace wisplet {
namespace {
ErrorReporter g_reporter = nullptr;
}

void SetErrorReporter(ErrorReporter reporter) { g_reporter = reporter; }

Window::~Window() {
  if (m_hwnd) {
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
    DestroyWindow(m_hwnd);
  }
}

void Window::RegisterWindowClass(const wchar_t* className, UINT classStyle, HBRUSH background,
                                 HICON icon) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{sizeof existing};
  if (GetClassInfoExW(instance, className, &existing)) return;
  WNDCLASSEXW wc{sizeof wc};
  wc.style = classStyle;
  wc.lpfnWndProc = &Window::WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.lpszClassName = className;
  RegisterClassExW(&wc);
}

bool Window::Create(const wchar_t* className, DWORD exStyle, DWORD style, int x, int y, int width,
                    int height, HWND parent, int childId) {
  CreateWindowExW(exStyle, className, L"", style, x, y, width, height, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)), GetModuleHandleW(nullptr), this);
  return m_hwnd != nullptr;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(msg, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->m_hwnd = hwnd;
  }
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
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
