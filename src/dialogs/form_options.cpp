#include "dialogs/form_options.h"

#include <shellapi.h>

#include "app/app.h"
#include "app/form_about.h"
#include "app/command_ids.h"
#include "app/main_form.h"
#include "app/menu_look.h"
#include "dialogs/form_sticker.h"
#include "resources/resource.h"

namespace wisplet {
namespace {
const char kClassName[] = "TFormOptions";
}

TFormOptions::TFormOptions() {
  RegisterWindowClass(kClassName, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  Create(kClassName, WS_EX_APPWINDOW, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, CW_USEDEFAULT,
         CW_USEDEFAULT, 556, 430, nullptr);
  SetWindowTextA(m_hwnd, "Wisplet Options");
  icon_ = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_WISPLET), IMAGE_ICON, 16, 16, 0));
  trayMenu_ = CreatePopupMenu();
  App().CreateNotesListMenu();
  BuildTrayMenu();
  TrayIcon::Handlers handlers;
  handlers.click = [this] { RxMainTrayIconClick(); };
  handlers.doubleClick = [this] { TBXItemMainNewClick(); };
  handlers.menu = [this] { OpenTrayMenu(); };
  handlers.other = [this](UINT m, WPARAM w, LPARAM l) { return TrayWindowMessage(m, w, l); };
  tray_ = std::make_unique<TrayIcon>(icon_, "Wisplet", std::move(handlers));
  FormCreate();
}

TFormOptions::~TFormOptions() {
  tray_.reset();  // the icon leaves the notification area with this window
  if (trayMenu_) {
    ClearLookMenu(trayMenu_);
    DestroyMenu(trayMenu_);
  }
  if (App().NotesListMenu) {
    ClearLookMenu(App().NotesListMenu);
    DestroyMenu(App().NotesListMenu);
    App().NotesListMenu = nullptr;
  }
  if (icon_) DestroyIcon(icon_);
}

void TFormOptions::FormCreate() {
  MenuLook look;
  if (MenuLookFromStyle(App().State.CurrentStyle, look) && look != CurrentMenuLook()) {
    SetCurrentMenuLook(look);
    RebuildMenus();
  }
}

void TFormOptions::BuildTrayMenu() {
  ClearLookMenu(trayMenu_);
  AppendLookItem(trayMenu_, kCmdNew, "New", IDB_MENU_NEW);
  AppendLookItem(trayMenu_, kCmdOptions, "Options", IDB_MENU_OPTIONS);
  AppendLookItem(trayMenu_, kCmdHelp, "Help", IDB_MENU_HELP);
  AppendLookItem(trayMenu_, kCmdAbout, "About", IDB_MENU_ABOUT);
  AppendLookItem(trayMenu_, 0, nullptr);
  AppendLookItem(trayMenu_, reinterpret_cast<UINT_PTR>(App().NotesListMenu), "Notes List", 0, MF_POPUP);
  AppendLookItem(trayMenu_, 0, nullptr);
  AppendLookItem(trayMenu_, kCmdExit, "Exit");
}

void TFormOptions::RebuildMenus() {
  App().CreateNotesListMenu();
  BuildTrayMenu();
  for (auto& note : App().NoteWindows) note->RebuildMenu();
}

void TFormOptions::OpenTrayMenu() {
  HWND owner = tray_->Handle();
  POINT cursor;
  GetCursorPos(&cursor);
  // The menu closes properly only when the icon's window is in the foreground.
  SetForegroundWindow(owner);
  ProcessMessages();
  UINT command = static_cast<UINT>(TrackPopupMenu(
      trayMenu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, cursor.x, cursor.y, 0,
      owner, nullptr));
  SetForegroundWindow(owner);
  PostMessageA(owner, WM_NULL, 0, 0);
  if (command) RunCommand(command);
}

void TFormOptions::RunCommand(UINT command) {
  switch (command) {
    case kCmdNew: TBXItemMainNewClick(); break;
    case kCmdOptions: TBXItemMainOptionsClick(); break;
    case kCmdHelp: BtnHelpClick(); break;
    case kCmdAbout: TBXItemMainAboutClick(); break;
    case kCmdExit: TBXItemMainExitClick(); break;
    case kCmdShowAll: TBXItemMainShowAllClick(); break;
    case kCmdHideAll: TBXItemMainHideAllClick(); break;
    default:
      if (command >= kCmdNotesListFirst) NotesListItemClick(command - kCmdNotesListFirst);
      break;
  }
}

LRESULT TFormOptions::TrayWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MEASUREITEM:
      return MeasureMenuItem(tray_->Handle(), *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM:
      return DrawMenuItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_MENUCHAR: {
      LRESULT result = 0;
      return MenuCharResult(wParam, lParam, result) ? result : DefWindowProcA(tray_->Handle(), msg, wParam, lParam);
    }
    case WM_COMMAND:
      RunCommand(LOWORD(wParam));
      return 0;
  }
  return 0;
}

void TFormOptions::RxMainTrayIconClick() {
  SetForegroundWindow(App().ApplicationWindow());
  // Every shown note comes above other windows; messages run between notes,
  // so a note closed meanwhile is skipped.
  const TListSticker notes = App().State.Stickers;
  for (TStickerWindow* note : notes) {
    if (!App().IsLive(note)) continue;
    note->ShowNote();
    ProcessMessages();
  }
  HWND editor = App().FormSticker ? App().FormSticker->Handle() : nullptr;
  if (editor && IsWindowVisible(editor) && IsWindowEnabled(editor)) SetForegroundWindow(editor);
}

void TFormOptions::TBXItemMainNewClick() {
  if (App().FormSticker) App().FormSticker->ShowFromTray();
}

void TFormOptions::TBXItemMainOptionsClick() {
  ShowWindow(m_hwnd, SW_SHOW);
  SetForegroundWindow(m_hwnd);
}

void TFormOptions::BtnHelpClick() {
  // A missing help file or viewer is not reported.
  ShellExecuteA(App().ApplicationWindow(), "open", App().HelpFile.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TFormOptions::TBXItemMainAboutClick() {
  if (!App().FormAbout) return;
  HWND about = App().FormAbout->Handle();
  ShowWindow(about, SW_SHOW);
  SetForegroundWindow(about);
}

void TFormOptions::TBXItemMainShowAllClick() { App().ShowAllStickers(); }
void TFormOptions::TBXItemMainHideAllClick() { App().HideAllStickers(); }
void TFormOptions::NotesListItemClick(std::size_t index) { App().NotesListItemClick(index); }
void TFormOptions::TBXItemMainExitClick() { App().FormMain->ExitSequence(); }

LRESULT TFormOptions::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      ShowWindow(m_hwnd, SW_HIDE);  // hidden, never destroyed before the program ends
      return 0;
  }
  return DefaultHandling(msg, wParam, lParam);
}

}  // namespace wisplet
