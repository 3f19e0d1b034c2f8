#include "base/tray_icon.h"

#include <shellapi.h>

#include <utility>

#include "base/dpi.h"
#include "base/wide_text.h"

namespace wisplet {
namespace {
const wchar_t kClassName[] = L"TWispletTrayIcon";
constexpr UINT kCallbackMessage = WM_APP + 1;
constexpr UINT_PTR kRetryAddTimer = 1;
constexpr UINT kRetryAddMs = 3000;
}  // namespace

TrayIcon::TrayIcon(int iconId, std::string hint, Handlers handlers)
    : iconId_(iconId), hint_(std::move(hint)), handlers_(std::move(handlers)),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
  RegisterWindowClass(kClassName, 0, nullptr);
  // A hidden top-level window (not message-only) so that it can be made the
  // foreground window around the menu and receives "TaskbarCreated".
  Create(kClassName, WS_EX_TOOLWINDOW, WS_POPUP, 0, 0, 0, 0, nullptr);
  LoadIconForDpi(m_hwnd ? WindowDpi(m_hwnd) : SystemDpi());
  Add();
}

void TrayIcon::LoadIconForDpi(int dpi) {
  // The icon holds an image of each size the shell asks for: none is stretched.
  const int side = SystemMetricForDpi(SM_CXSMICON, dpi);
  icon_.reset(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId_), IMAGE_ICON, side, side, LR_DEFAULTCOLOR)));
}

TrayIcon::~TrayIcon() { Remove(); }

void TrayIcon::Add() {
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof nid;
  nid.hWnd = m_hwnd;
  nid.uID = 0;
  // Version 4 shows the standard tooltip only when asked to.
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
  nid.uCallbackMessage = kCallbackMessage;
  nid.hIcon = icon_.get();
  lstrcpynW(nid.szTip, Wide(hint_).c_str(), 64);  // the shell takes at most 63 characters
  added_ = Shell_NotifyIconW(NIM_ADD, &nid) != 0;
  // "TaskbarCreated" also comes after a change of the screen's DPI, while the
  // icon is still there: then it is updated instead.
  if (!added_) added_ = Shell_NotifyIconW(NIM_MODIFY, &nid) != 0;
  if (added_) {
    nid.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconW(NIM_SETVERSION, &nid);
  }
  // The timer runs only while the icon is missing.
  if (added_)
    KillTimer(m_hwnd, kRetryAddTimer);
  else
    SetTimer(m_hwnd, kRetryAddTimer, kRetryAddMs, nullptr);
}

void TrayIcon::Remove() {
  if (m_hwnd) KillTimer(m_hwnd, kRetryAddTimer);
  if (!added_ || !m_hwnd) return;
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof nid;
  nid.hWnd = m_hwnd;
  nid.uID = 0;
  Shell_NotifyIconW(NIM_DELETE, &nid);
  added_ = false;
}

// Version 4 sends, besides the mouse buttons, NIN_SELECT after a left click
// and WM_CONTEXTMENU after a right click; the buttons keep their meaning, and
// those two count only when the keyboard sends them.
void TrayIcon::Notify(UINT event, POINT anchor) {
  switch (event) {
    case WM_LBUTTONDOWN:
      leftPressed_ = true;
      contextMenuAnswered_ = false;
      break;
    case WM_LBUTTONUP:
      // A release without a press on the icon does nothing.
      if (std::exchange(leftPressed_, false) && handlers_.click) handlers_.click();
      break;
    case WM_LBUTTONDBLCLK:
      leftPressed_ = false;  // the release that follows does nothing
      if (handlers_.doubleClick) handlers_.doubleClick();
      break;
    case WM_RBUTTONDOWN:
      rightPressed_ = true;
      contextMenuAnswered_ = false;
      break;
    case WM_RBUTTONUP:
      if (std::exchange(rightPressed_, false)) {
        contextMenuAnswered_ = true;
        POINT cursor{};
        GetCursorPos(&cursor);
        OpenMenu(cursor);
      }
      break;
    case WM_CONTEXTMENU:  // the menu key or Shift+F10 on the icon
      if (!std::exchange(contextMenuAnswered_, false)) OpenMenu(anchor);
      break;
    case NIN_KEYSELECT:  // Enter or Space on the icon
      contextMenuAnswered_ = false;
      OpenMenu(anchor);
      break;
    default:
      break;
  }
}

void TrayIcon::OpenMenu(POINT at) {
  // The shell sends Enter's selection twice; the second comes while the
  // menu is open.
  if (menuOpen_ || !handlers_.menu) return;
  menuOpen_ = true;
  handlers_.menu(at);
  menuOpen_ = false;
}

LRESULT TrayIcon::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kCallbackMessage) {
    // Version 4: the event in the low word, the anchor point in wParam.
    Notify(LOWORD(lParam), POINT{static_cast<short>(LOWORD(wParam)), static_cast<short>(HIWORD(wParam))});
    return 0;
  }
  if (msg == WM_TIMER && wParam == kRetryAddTimer) {
    Add();
    return 0;
  }
  if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
    // The shell comes again after it restarted and after a change of scale:
    // the icon at the size it now asks for.
    LoadIconForDpi(WindowDpi(m_hwnd));
    added_ = false;
    Add();
    return 0;
  }
  if (msg == WM_DPICHANGED) {
    LoadIconForDpi(NewDpiOf(wParam));
    if (added_) Add();
    return 0;
  }
  if (handlers_.other) {
    switch (msg) {
      case WM_MEASUREITEM:
      case WM_DRAWITEM:
      case WM_MENUCHAR:
      case WM_COMMAND:
        return handlers_.other(msg, wParam, lParam);
    }
  }
  return DefaultHandling(msg, wParam, lParam);
}

}  // namespace wisplet
