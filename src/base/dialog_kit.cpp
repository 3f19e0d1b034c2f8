#include "base/dialog_kit.h"

#include <algorithm>

#include "base/dpi.h"
#include "base/wide_text.h"
#include "base/win32_handles.h"
#include "model/anchors.h"

namespace wisplet {

DialogFonts::DialogFonts(int dpi) : dpi_(dpi) {
  fonts_[Normal].reset(CreateUiFont(dpi));
  fonts_[Bold].reset(CreateUiFont(dpi, true));
  fonts_[BoldUnderline].reset(CreateUiFont(dpi, true, true));
}

void DialogFonts::ChangeDpi(int dpi, HWND root) {
  if (dpi == dpi_) return;
  DialogFonts made(dpi);
  struct Swap {
    const DialogFonts* from;
    const DialogFonts* to;
  } swap{this, &made};
  EnumChildWindows(
      root,
      [](HWND child, LPARAM data) -> BOOL {
        const auto& s = *reinterpret_cast<const Swap*>(data);
        auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
        for (int look = 0; look < kLooks; ++look)
          if (font && font == s.from->Get(static_cast<Look>(look)))
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(s.to->Get(static_cast<Look>(look))), TRUE);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&swap));
  // The old fonts go only now that no control uses them.
  dpi_ = dpi;
  fonts_.swap(made.fonts_);
}

HWND CreateChild(HWND parent, DWORD exStyle, const wchar_t* className, const std::string& text, DWORD style,
                 int id, HFONT font) {
  HWND hwnd = CreateWindowExW(exStyle, className, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                              nullptr);
  if (hwnd && font) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return hwnd;
}

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(0, got)));
  return Utf8(text);
}

void SetText(HWND window, const std::string& text) { SetWindowTextW(window, Wide(text).c_str()); }

std::string ComboItemText(HWND combo, int index) {
  LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return Utf8(text);
}

LRESULT AddComboItem(HWND combo, const std::string& text, int index) {
  const std::wstring wide = Wide(text);
  return SendMessageW(combo, index < 0 ? CB_ADDSTRING : CB_INSERTSTRING, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(wide.c_str()));
}

bool RefillCombo(HWND combo, const std::vector<std::string>& texts) {
  const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  const std::string chosen = selected >= 0 ? ComboItemText(combo, static_cast<int>(selected)) : std::string();
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& text : texts) AddComboItem(combo, text);
  if (selected < 0) return false;
  auto at = static_cast<std::size_t>(selected);
  if (at >= texts.size() || texts[at] != chosen)
    at = static_cast<std::size_t>(std::find(texts.begin(), texts.end(), chosen) - texts.begin());
  if (at >= texts.size()) return false;
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  return true;
}

void EnableControl(HWND control, bool enable) {
  if (!enable && GetFocus() == control) {
    HWND root = GetAncestor(control, GA_ROOT);
    HWND next = GetNextDlgTabItem(root, control, FALSE);
    SetFocus(next && next != control ? next : root);
  }
  EnableWindow(control, enable);
}

void DrawComboItem(const DRAWITEMSTRUCT& item, int textLeft, HFONT font, const std::optional<std::string>& shown) {
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  RECT r = item.rcItem;
  FillRect(item.hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID != static_cast<UINT>(-1)) {
    const std::wstring text = Wide(shown ? *shown : ComboItemText(item.hwndItem, static_cast<int>(item.itemID)));
    SelectObjectScope select(item.hDC, font);
    int oldMode = SetBkMode(item.hDC, TRANSPARENT);
    COLORREF oldColor = SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT textRect = r;
    textRect.left = textLeft;
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(item.hDC, oldColor);
    SetBkMode(item.hDC, oldMode);
  }
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(item.hDC, &r);
}

void FitComboHeight(HWND combo, int height) {
  auto current = [&] {
    RECT r{};
    GetWindowRect(combo, &r);
    return static_cast<int>(r.bottom - r.top);
  };
  LRESULT field = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int step = 0; step < 3 && field > 0 && current() != height; ++step) {
    field += height - current();
    if (field <= 0) break;
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
}

void PlaceAnchoredControls(HWND parent, const std::vector<AnchoredControl>& controls, int designWidth,
                           int designHeight, int dpi, int scrolled) {
  RECT client{};
  GetClientRect(parent, &client);
  auto scaled = [&](int v) { return MulDiv(v, dpi, 96); };
  for (const AnchoredControl& c : controls) {
    if (!c.hwnd) continue;
    Rect design{scaled(c.design.left), scaled(c.design.top), scaled(c.design.right), scaled(c.design.bottom)};
    Rect r = PlaceAnchored(design, c.anchors, scaled(designWidth), scaled(designHeight), client.right,
                           client.bottom);
    SetWindowPos(c.hwnd, nullptr, r.left, r.top - scrolled, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  }
}

}  // namespace wisplet
