#pragma once
// The options window. It also carries the tray icon and the tray menu, whose
// handlers work whether or not the window is shown.
#include <memory>
#include <string>

#include "base/tray_icon.h"
#include "base/window.h"

namespace wisplet {

class DialogHost;

class TFormOptions : public Window {
 public:
  explicit TFormOptions(DialogHost& host);
  ~TFormOptions() override;

  // Applies the stored menu style; an unknown style leaves the menus as built.
  void FormCreate();
  // Builds every menu of the program again in the current look.
  void RebuildMenus();

  // The tray icon and its menu.
  void RxMainTrayIconClick();
  void TBXItemMainNewClick();
  void TBXItemMainOptionsClick();
  void BtnHelpClick();
  void TBXItemMainAboutClick();
  void TBXItemMainShowAllClick();
  void TBXItemMainHideAllClick();
  void NotesListItemClick(std::size_t index);
  void TBXItemMainExitClick();

  HMENU TrayMenu() const { return trayMenu_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateTray();
  void BuildTrayMenu();
  void OpenTrayMenu();
  void RunTrayCommand(UINT command);
  LRESULT TrayWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  DialogHost& host_;
  HMENU trayMenu_ = nullptr;
  HICON icon_ = nullptr;
  std::unique_ptr<TrayIcon> tray_;
};

}  // namespace wisplet
