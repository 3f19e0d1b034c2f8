#pragma once
// A color picker: an owner-drawn drop-down list of named colors with a
// swatch each, led by "Custom..." for any color through the system's color
// dialog. A color the list does not hold shows as the "Custom..." entry with
// that color's swatch.
#include <windows.h>

#include "model/color.h"

namespace wisplet {

class ColorPicker {
 public:
  ColorPicker() = default;
  void Create(HWND parent, int id, HFONT font);
  HWND Handle() const { return combo_; }

  TColor Color() const;
  void SetColor(TColor color);

  // The picker's notifications (CBN_...). Choosing "Custom..." opens the
  // color dialog once the choice is made - not while the open list is only
  // being walked with the keys; cancelling goes back to the color before.
  // True when the picker's color changed.
  bool Notify(int code, HWND dialogOwner);
  // WM_DRAWITEM for this picker.
  void DrawItem(const DRAWITEMSTRUCT& item) const;

 private:
  bool Choose(HWND dialogOwner);
  // "Custom..." holds `color`, and is named for screen readers by it.
  void SetCustomEntry(TColor color);

  HWND combo_ = nullptr;
  bool dropped_ = false;  // the list is open
  int lastIndex_ = -1;
  TColor lastColor_ = clBlack;
};

}  // namespace wisplet
