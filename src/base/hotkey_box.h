#pragma once
// A box that takes a system-wide key: it shows the key as text ("Win+Shift+N",
// "None") and takes the next key pressed in it, with the modifiers held, as
// the new key; Backspace or Delete alone switch the key off. Tab, Enter and
// Escape alone keep their meaning in the window. (The system's hotkey control
// can neither show nor take the Win key.) It is an edit control that types
// nothing, so that a screen reader reads it as a field with its label.
#include <windows.h>

#include <functional>

#include "model/hotkey.h"

namespace wisplet {

class HotkeyBox {
 public:
  HotkeyBox() = default;
  HotkeyBox(const HotkeyBox&) = delete;
  HotkeyBox& operator=(const HotkeyBox&) = delete;

  // `changed` runs when a key press gives the box a new key; `focus` when
  // the box gets (true) or loses (false) the keyboard focus.
  void Create(HWND parent, int id, HFONT font, std::function<void()> changed, std::function<void(bool)> focus);
  HWND Handle() const { return edit_; }

  Hotkey Value() const { return value_; }
  void SetValue(Hotkey hotkey);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
  bool KeyPressed(int virtualKey);

  HWND edit_ = nullptr;
  Hotkey value_;
  std::function<void()> changed_;
  std::function<void(bool)> focus_;
};

}  // namespace wisplet
