#pragma once
// Small pieces the program's dialogs share: the dialog fonts, child controls,
// their texts and the closed height of a drop-down list.
#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/win32_handles.h"
#include "model/surface.h"

namespace wisplet {

// The user-interface font of one window (8 points, see CreateUiFont) in the
// looks its controls use, made for the window's DPI.
class DialogFonts {
 public:
  enum Look { Normal, Bold, BoldUnderline, kLooks };
  explicit DialogFonts(int dpi);
  HFONT Get(Look look) const { return static_cast<HFONT>(fonts_[look].get()); }
  int Dpi() const { return dpi_; }
  // Makes the fonts for another DPI; every control under `root` that used
  // one of them gets the new one of the same look.
  void ChangeDpi(int dpi, HWND root);

 private:
  int dpi_;
  std::array<GdiObject, kLooks> fonts_;
};

// A child control with the given identifier and font; `text` is UTF-8.
HWND CreateChild(HWND parent, DWORD exStyle, const wchar_t* className, const std::string& text, DWORD style,
                 int id, HFONT font);

// Texts of windows and controls, UTF-8.
std::string WindowText(HWND window);
void SetText(HWND window, const std::string& text);
// The text of a combo box's item; empty for a position it does not hold.
std::string ComboItemText(HWND combo, int index);
// Fills a combo box anew. The item selected stays selected where the new
// items hold its text (at its old position, else the first such); false when
// they do not, and then none is.
bool RefillCombo(HWND combo, const std::vector<std::string>& texts);
// Adds an item at the end (index -1) or at `index`; the item's position.
LRESULT AddComboItem(HWND combo, const std::string& text, int index = -1);

// Enables or disables a control. A control that is disabled while it has the
// keyboard focus hands it on to the next control first: a window without a
// focused control would get its keys as system keys, and Escape or Tab would
// do nothing.
void EnableControl(HWND control, bool enable);

// WM_DRAWITEM of a drop-down list: the background, the item's text (or
// `shown` instead) from textLeft on in `font`, and the focus rectangle.
void DrawComboItem(const DRAWITEMSTRUCT& item, int textLeft, HFONT font,
                   const std::optional<std::string>& shown = std::nullopt);

// Makes a drop-down list's closed field `height` pixels high. The system
// derives it from the field's item height plus a frame of its own choosing,
// so it is measured again after each step.
void FitComboHeight(HWND combo, int height);

// A control laid out at `design` (pixels at 96 DPI) that follows the parent's
// edges named by `anchors` (see model/anchors.h).
struct AnchoredControl {
  HWND hwnd;
  Rect design;
  unsigned anchors;
};
// Places the controls for the parent's present client size, the design
// client area being designWidth x designHeight at 96 DPI; `scrolled` is how
// far a scrolling parent has moved its children up. Moved controls paint
// afresh: copying old pixels along leaves stale pieces when growing.
void PlaceAnchoredControls(HWND parent, const std::vector<AnchoredControl>& controls, int designWidth,
                           int designHeight, int dpi, int scrolled = 0);

}  // namespace wisplet
