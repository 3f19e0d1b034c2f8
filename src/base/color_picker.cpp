#include "base/color_picker.h"

#include <commdlg.h>

#include <string>
#include <utility>

#include "base/dialog_kit.h"
#include "base/dpi.h"
#include "base/win32_handles.h"
#include "model/scheme_editor.h"

namespace wisplet {
namespace {

constexpr int kCustomIndex = 0;  // "Custom..." leads the list
constexpr COLORREF kNoneSwatch = RGB(160, 160, 160);

TColor ItemColor(HWND combo, int index) {
  return static_cast<TColor>(SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

COLORREF SwatchColor(TColor color) {
  if (color == clNone) return kNoneSwatch;
  if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

// The custom colors of the color dialog, kept for the whole run as the
// dialog itself keeps them between two openings.
COLORREF* CustomColors() {
  static COLORREF colors[16] = {};
  return colors;
}

}  // namespace

void ColorPicker::Create(HWND parent, int id, HFONT font) {
  combo_ = CreateWindowExW(0, L"COMBOBOX", L"",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                               CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                           0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // The items' texts are what a screen reader reads of them.
  AddComboItem(combo_, PickerEntryName(kCustomIndex));
  SendMessageW(combo_, CB_SETITEMDATA, kCustomIndex, clBlack);
  const auto& colors = PickerColors();
  for (std::size_t i = 0; i < colors.size(); ++i) {
    LRESULT index = AddComboItem(combo_, PickerEntryName(static_cast<int>(i) + 1));
    SendMessageW(combo_, CB_SETITEMDATA, static_cast<WPARAM>(index), colors[i].value);
  }
  SetColor(clBlack);
}

void ColorPicker::SetCustomEntry(TColor color) {
  // Renamed by putting it in again; the selection stays where it was.
  const LRESULT selected = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
  SendMessageW(combo_, CB_DELETESTRING, kCustomIndex, 0);
  AddComboItem(combo_, PickerEntryName(kCustomIndex, color), kCustomIndex);
  SendMessageW(combo_, CB_SETITEMDATA, kCustomIndex, color);
  SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

TColor ColorPicker::Color() const { return lastColor_; }

void ColorPicker::SetColor(TColor color) {
  int index = PickerColorIndex(color);
  if (index < 0) {
    SetCustomEntry(color);
    index = kCustomIndex;
  } else {
    index += 1;  // behind "Custom..."
  }
  SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  lastIndex_ = index;
  lastColor_ = color;
  InvalidateRect(combo_, nullptr, TRUE);
}

bool ColorPicker::Notify(int code, HWND dialogOwner) {
  const int index = static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0));
  switch (code) {
    case CBN_DROPDOWN:
      dropped_ = true;
      return false;
    case CBN_SELCHANGE:
      if (index == kCustomIndex && dropped_) return false;  // wait until the list closes on it
      return Choose(dialogOwner);
    case CBN_SELENDOK:
      // Closing the list on "Custom..." opens the dialog, also when it was
      // chosen already, to change the custom color.
      if (!std::exchange(dropped_, false) || index != kCustomIndex) return false;
      return Choose(dialogOwner);
    case CBN_SELENDCANCEL:  // the list closed without a choice
      dropped_ = false;
      SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(lastIndex_), 0);
      return false;
  }
  return false;
}

bool ColorPicker::Choose(HWND dialogOwner) {
  const int index = static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0));
  if (index < 0) return false;
  if (index != kCustomIndex) {
    TColor color = ItemColor(combo_, index);
    bool changed = color != lastColor_;
    lastIndex_ = index;
    lastColor_ = color;
    return changed;
  }
  // Close the list first, or it would stay open under the dialog.
  SendMessageW(combo_, CB_SHOWDROPDOWN, FALSE, 0);
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = dialogOwner;
  cc.rgbResult = SwatchColor(lastColor_);
  cc.lpCustColors = CustomColors();
  cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  if (!ChooseColorW(&cc)) {
    SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(lastIndex_), 0);
    return false;
  }
  TColor chosen = static_cast<TColor>(cc.rgbResult & 0xFFFFFF);
  bool changed = chosen != lastColor_;
  SetColor(chosen);
  return changed;
}

void ColorPicker::DrawItem(const DRAWITEMSTRUCT& item) const {
  const RECT& r = item.rcItem;
  const int height = r.bottom - r.top;
  // Margins as designed at 96 DPI, for the DPI of the picker's display.
  const int dpi = WindowDpi(combo_);
  const int margin = MulDiv(2, dpi, 96), gap = MulDiv(4, dpi, 96);
  RECT swatch{r.left + margin, r.top + margin, r.left + margin + (height - 2 * margin) * 3 / 2, r.bottom - margin};
  // "Custom..." shows its color in the swatch, and only readers hear it named.
  const std::optional<std::string> shown =
      item.itemID == static_cast<UINT>(kCustomIndex) ? std::optional<std::string>(PickerEntryName(kCustomIndex)) : std::nullopt;
  DrawComboItem(item, swatch.right + gap, reinterpret_cast<HFONT>(SendMessageW(combo_, WM_GETFONT, 0, 0)), shown);
  if (item.itemID == static_cast<UINT>(-1)) return;
  GdiObject brush(CreateSolidBrush(SwatchColor(ItemColor(combo_, static_cast<int>(item.itemID)))));
  FillRect(item.hDC, &swatch, static_cast<HBRUSH>(brush.get()));
  FrameRect(item.hDC, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

}  // namespace wisplet
