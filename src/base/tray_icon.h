#pragma once
// The icon in the notification area with its own hidden window, which turns
// the shell's notifications into clicks, double clicks and menu requests.
// It speaks the current notification version (4), so that the shell's
// keyboard selection of the icon (Win+B, the arrows, then Enter, Space or the
// menu key) asks for the menu at the icon.
#include <functional>
#include <string>

#include "base/win32_handles.h"
#include "base/window.h"

namespace wisplet {

class TrayIcon : public Window {
 public:
  struct Handlers {
    std::function<void()> click;        // left press, then release
    std::function<void()> doubleClick;  // left double click
    // The menu: at the cursor after a right press and release, at the
    // icon's anchor point when the keyboard asks for it.
    std::function<void(POINT at)> menu;
    std::function<LRESULT(UINT, WPARAM, LPARAM)> other;  // owner-drawn menus, commands
  };
  // The icon is the program's icon resource `iconId`, at the size the shell
  // asks for at the DPI of the display (16 pixels at 96 DPI).
  TrayIcon(int iconId, std::string hint, Handlers handlers);
  ~TrayIcon() override;

  // Adds the icon (again, after the taskbar was re-created). When the
  // notification area does not take it (at log-on it may not be ready yet),
  // it is tried again every few seconds until it does.
  void Add();
  void Remove();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Notify(UINT event, POINT anchor);
  void OpenMenu(POINT at);
  // Loads the icon at the small icon size of the window's DPI.
  void LoadIconForDpi(int dpi);

  int iconId_;
  IconHandle icon_;
  std::string hint_;
  Handlers handlers_;
  UINT taskbarCreated_;
  bool added_ = false;
  bool leftPressed_ = false;
  bool rightPressed_ = false;
  // A right click is followed by the shell's own menu request, which the
  // click has answered already.
  bool contextMenuAnswered_ = false;
  bool menuOpen_ = false;
};

}  // namespace wisplet
