#include "dialogs/form_options.h"

#include "base/menu_look.h"
#include "dialogs/dialog_host.h"

namespace wisplet {
namespace {
const char kClassName[] = "TFormOptions";
}

TFormOptions::TFormOptions(DialogHost& host) : host_(host) {
  RegisterWindowClass(kClassName, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  Create(kClassName, WS_EX_APPWINDOW, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, CW_USEDEFAULT,
         CW_USEDEFAULT, 556, 430, nullptr);
  SetWindowTextA(m_hwnd, "Wisplet Options");
  CreateTray();
  FormCreate();
}

TFormOptions::~TFormOptions() {
  tray_.reset();  // the icon leaves the notification area with this window
  if (trayMenu_) {
    ClearLookMenu(trayMenu_);
    DestroyMenu(trayMenu_);
  }
  if (icon_) DestroyIcon(icon_);
}

void TFormOptions::FormCreate() {
  MenuLook look;
  if (MenuLookFromStyle(host_.SharedState().CurrentStyle, look) && look != CurrentMenuLook()) {
    SetCurrentMenuLook(look);
    RebuildMenus();
  }
}

void TFormOptions::RebuildMenus() {
  BuildTrayMenu();
  host_.RebuildNoteMenus();
}

LRESULT TFormOptions::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      ShowWindow(m_hwnd, SW_HIDE);  // hidden, never destroyed before the program ends
      return 0;
  }
  return DefaultHandling(msg, wParam, lParam);
}

}  // namespace wisplet
