#include "app/form_about.h"

namespace wisplet {

TFormAbout::TFormAbout() {
  RegisterWindowClass("TFormAbout", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  Create("TFormAbout", 0, WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 352, 258, nullptr);
  SetWindowTextA(m_hwnd, "About");
}

LRESULT TFormAbout::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE) {
    ShowWindow(m_hwnd, SW_HIDE);  // hidden, never destroyed before the program ends
    return 0;
  }
  return DefaultHandling(msg, wParam, lParam);
}

}  // namespace wisplet
