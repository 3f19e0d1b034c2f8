#include "base/hotkey_box.h"

#include <commctrl.h>

#include <utility>

#include "base/dialog_kit.h"

namespace wisplet {
namespace {

bool Down(int key) { return GetKeyState(key) < 0; }

// The modifiers held now, as RegisterHotKey counts them.
int HeldModifiers() {
  return (Down(VK_CONTROL) ? kModControl : 0) | (Down(VK_MENU) ? kModAlt : 0) | (Down(VK_SHIFT) ? kModShift : 0) |
         (Down(VK_LWIN) || Down(VK_RWIN) ? kModWin : 0);
}

}  // namespace

void HotkeyBox::Create(HWND parent, int id, HFONT font, std::function<void()> changed,
                       std::function<void(bool)> focus) {
  changed_ = std::move(changed);
  focus_ = std::move(focus);
  edit_ = CreateChild(parent, WS_EX_CLIENTEDGE, L"EDIT", HotkeyToText(value_), WS_TABSTOP | ES_AUTOHSCROLL, id, font);
  SetWindowSubclass(edit_, &HotkeyBox::Proc, 0, reinterpret_cast<DWORD_PTR>(this));
}

void HotkeyBox::SetValue(Hotkey hotkey) {
  value_ = hotkey;
  SetText(edit_, HotkeyToText(hotkey));
  SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(-1), -1);
}

bool HotkeyBox::KeyPressed(int virtualKey) {
  const std::optional<Hotkey> taken = HotkeyFromKeyPress(virtualKey, HeldModifiers());
  if (!taken) return false;
  // The character the key made is on its way already; Alt+A would reach the
  // window as the mnemonic of "&Apply".
  MSG made;
  while (PeekMessageW(&made, edit_, WM_CHAR, WM_DEADCHAR, PM_REMOVE) ||
         PeekMessageW(&made, edit_, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE)) {
  }
  const bool changed = *taken != value_;
  SetValue(*taken);
  if (changed && changed_) changed_();
  return true;
}

LRESULT CALLBACK HotkeyBox::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
  auto* box = reinterpret_cast<HotkeyBox*>(data);
  switch (msg) {
    case WM_GETDLGCODE: {
      // With Ctrl, Alt or Win held every key is the box's (Ctrl+Tab, Alt+A),
      // not the window's; alone, Tab, Enter and Escape stay the window's.
      const auto* m = reinterpret_cast<const MSG*>(lParam);
      LRESULT code = DefSubclassProc(hwnd, msg, wParam, lParam);
      if (m && (HeldModifiers() & (kModControl | kModAlt | kModWin))) code |= DLGC_WANTALLKEYS | DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      box->KeyPressed(static_cast<int>(wParam));
      return 0;  // nothing is typed, and Alt does not open the window's menu
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_CONTEXTMENU:
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (box->focus_) box->focus_(msg == WM_SETFOCUS);
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, &HotkeyBox::Proc, id);
      break;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace wisplet
