// The tray icon and the tray menu, which the options window carries: their
// handlers work whether or not the window is shown.
#include <windows.h>
#include <shellapi.h>

#include "base/menu_look.h"
#include "base/message_loop.h"
#include "base/wide_text.h"
#include "dialogs/dialog_host.h"
#include "dialogs/form_options.h"
#include "dialogs/form_sticker.h"
#include "dialogs/tray_commands.h"
#include "notes/sticker_window.h"
#include "resources/resource.h"
#include "storage/stickers.h"

namespace wisplet {

static_assert(kCmdClosedFirst + kMaxClosedNotes <= kCmdNotesListFirst, "the two ranges of note items overlap");

void TFormOptions::CreateTray() {
  trayMenu_ = CreatePopupMenu();
  BuildTrayMenu();
  TrayIcon::Handlers handlers;
  handlers.click = [this] { RxMainTrayIconClick(); };
  handlers.doubleClick = [this] { TBXItemMainNewClick(); };
  handlers.menu = [this](POINT at) { OpenTrayMenu(at); };
  handlers.other = [this](UINT m, WPARAM w, LPARAM l) { return TrayWindowMessage(m, w, l); };
  tray_ = std::make_unique<TrayIcon>(IDI_WISPLET, "Wisplet", std::move(handlers));
}

// The "Notes List" submenu is built afresh with it, in the same look.
void TFormOptions::BuildTrayMenu() {
  ClearLookMenu(trayMenu_);
  AppendLookItem(trayMenu_, kCmdNew, "New", IDB_MENU_NEW);
  AppendLookItem(trayMenu_, kCmdOptions, "Options", IDB_MENU_OPTIONS);
  AppendLookItem(trayMenu_, kCmdHelp, "Help", IDB_MENU_HELP);
  AppendLookItem(trayMenu_, kCmdAbout, "About", IDB_MENU_ABOUT);
  AppendLookItem(trayMenu_, 0, nullptr);
  AppendLookItem(trayMenu_, reinterpret_cast<UINT_PTR>(host_.CreateNotesListMenu()), "Notes List", 0,
                 MF_POPUP);
  AppendLookItem(trayMenu_, 0, nullptr);
  AppendLookItem(trayMenu_, kCmdExit, "Exit");
}

void TFormOptions::OpenTrayMenu(POINT at) {
  HWND owner = tray_->Handle();
  // The menu closes properly only when the icon's window is in the foreground.
  SetForegroundWindow(owner);
  ProcessMessages();
  UINT command = TrackLookMenu(trayMenu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at,
                               owner, [this] { BuildTrayMenu(); });
  SetForegroundWindow(owner);
  PostMessageW(owner, WM_NULL, 0, 0);
  if (command) RunTrayCommand(command);
}

void TFormOptions::RunTrayCommand(UINT command) {
  switch (command) {
    case kCmdNew: TBXItemMainNewClick(); break;
    case kCmdOptions: TBXItemMainOptionsClick(); break;
    case kCmdHelp: BtnHelpClick(); break;
    case kCmdAbout: TBXItemMainAboutClick(); break;
    case kCmdExit: TBXItemMainExitClick(); break;
    case kCmdShowAll: TBXItemMainShowAllClick(); break;
    case kCmdHideAll: TBXItemMainHideAllClick(); break;
    case kCmdClearClosed: host_.ClearClosedNotes(); break;
    default:
      if (command >= kCmdClosedFirst && command < kCmdClosedFirst + kMaxClosedNotes)
        host_.RestoreClosedNote(command - kCmdClosedFirst);
      else if (command >= kCmdNotesListFirst)
        NotesListItemClick(command - kCmdNotesListFirst);
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
      return MenuCharResult(wParam, lParam, result) ? result
                                                    : DefWindowProcW(tray_->Handle(), msg, wParam, lParam);
    }
    case WM_COMMAND:
      RunTrayCommand(LOWORD(wParam));
      return 0;
  }
  return 0;
}

void TFormOptions::RxMainTrayIconClick() {
  SetForegroundWindow(host_.ApplicationWindow());
  // Every shown note comes above other windows; messages run between notes,
  // so a note closed meanwhile is skipped.
  const TListSticker notes = host_.SharedState().Stickers;
  for (TStickerWindow* note : notes) {
    if (!host_.IsLive(note)) continue;
    note->ShowNote();
    ProcessMessages();
  }
  HWND editor = host_.Editor() ? host_.Editor()->Handle() : nullptr;
  if (editor && IsWindowVisible(editor) && IsWindowEnabled(editor)) SetForegroundWindow(editor);
}

void TFormOptions::TBXItemMainNewClick() {
  if (host_.Editor()) host_.Editor()->ShowFromTray();
}

void TFormOptions::TBXItemMainOptionsClick() {
  if (!IsWindowVisible(m_hwnd)) FormShow();
  ShowWindow(m_hwnd, SW_SHOW);
  SetForegroundWindow(m_hwnd);
}

void TFormOptions::BtnHelpClick() {
  // A missing help file or viewer is not reported.
  ShellExecuteW(host_.ApplicationWindow(), L"open", Wide(host_.HelpFilePath()).c_str(), nullptr, nullptr,
                SW_SHOWNORMAL);
}

void TFormOptions::TBXItemMainAboutClick() { host_.ShowAbout(); }
void TFormOptions::TBXItemMainShowAllClick() { host_.ShowAllStickers(); }
void TFormOptions::TBXItemMainHideAllClick() { host_.HideAllStickers(); }
void TFormOptions::NotesListItemClick(std::size_t index) { host_.NotesListItemClick(index); }
void TFormOptions::TBXItemMainExitClick() { host_.ExitSequence(); }

}  // namespace wisplet
