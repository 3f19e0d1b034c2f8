#pragma once
// The icon in the notification area with its own hidden window, which turns
// the shell's notifications into clicks, double clicks and menu requests.
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
    std::function<void()> menu;         // right press, then release
    std::function<LRESULT(UINT, WPARAM, LPARAM)> other;  // owner-drawn menus, commands
  };
  // The icon is the program's icon resource `iconId`, at the size the shell
  // asks for at the DPI of the display (16 pixels at 96 DPI).
  TrayIcon(int iconId, std::string hint, Handlers handlers);
  ~TrayIcon() override;

  // Adds the icon (again, after the taskbar was re-created).
  void Add();
  void Remove();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Notify(UINT mouseMessage);
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
};

}  // namespace wisplet
