#include "base/menu_look.h"

#include <oleacc.h>

#include <algorithm>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "base/contrast.h"
#include "base/dpi.h"
#include "base/gdi_surface.h"
#include "base/wide_text.h"
#include "base/win32_handles.h"
#include "model/dpi_scale.h"
#include "model/high_contrast.h"
#include "resources/image_scale.h"

namespace wisplet {
namespace {

// What an owner-drawn item needs to draw itself. Its data starts with what
// screen readers look for in an owner-drawn item's data to read its text.
struct LookItem {
  MSAAMENUINFO msaa{};   // first; points into caption
  std::wstring caption;  // empty for a separator
  int image = 0;
  bool separator = false;
  bool popup = false;
};

// Everything the looks keep, for the whole run.
struct LookState {
  MenuLook look = MenuLook::Default;
  std::unordered_map<HMENU, std::vector<std::unique_ptr<LookItem>>> items;
  // The DPI of the display the menu being shown is on, and the DPI each menu
  // was last shown at (the system keeps the sizes it measured then).
  int dpi = kDesignDpi;
  std::unordered_map<HMENU, int> shownAt;
  std::map<int, GdiObject> fonts;    // by DPI
  std::map<int, GdiObject> images;   // by resource identifier
};

LookState& State() {
  static LookState state;
  return state;
}

// Sizes of the look, designed at 96 DPI, for the menu's DPI.
int Px(int designPixels) { return ScaleToDpi(designPixels, State().dpi); }

constexpr int kGutter = 24;
constexpr int kImageSide = 16;  // at 100 %

HFONT MenuFont() {
  GdiObject& font = State().fonts[State().dpi];
  if (!font) {
    NONCLIENTMETRICSW ncm = NonClientMetricsForDpi(State().dpi);
    font.reset(CreateFontIndirectW(&ncm.lfMenuFont));
  }
  return static_cast<HFONT>(font.get());
}

// The image as drawn for the menu's DPI.
HBITMAP MenuImage(int id) {
  const int scaledId = ScaledImageId(id, State().dpi);
  GdiObject& slot = State().images[scaledId];
  if (!slot) slot.reset(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(scaledId), IMAGE_BITMAP, 0, 0, 0));
  return static_cast<HBITMAP>(slot.get());
}

// The image in the middle of a box of its designed size at the menu's DPI,
// whose top-left corner is (x, y): between two drawn scales the smaller
// picture is centred, never stretched.
void DrawImage(HDC dc, int id, int x, int y, bool disabled) {
  HBITMAP bitmap = MenuImage(id);
  if (!bitmap) return;
  const int side = ScaledImageSide(kImageSide, State().dpi);
  x += (Px(kImageSide) - side) / 2;
  y += (Px(kImageSide) - side) / 2;
  const MemoryDc source(CreateCompatibleDC(dc));
  SelectObjectScope select(source.get(), bitmap);
  if (disabled)
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, x, y, side, side, DST_BITMAP | DSS_DISABLED);
  else
    TransparentBlt(dc, x, y, side, side, source.get(), 0, 0, side, side, RGB(255, 0, 255));
}

std::pair<std::wstring, std::wstring> SplitShortcut(const std::wstring& caption) {
  auto tab = caption.find(L'\t');
  if (tab == std::wstring::npos) return {caption, L""};
  return {caption.substr(0, tab), caption.substr(tab + 1)};
}

SIZE TextSize(HDC dc, const std::wstring& text) {
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

MenuLook CurrentMenuLook() { return State().look; }
void SetCurrentMenuLook(MenuLook look) { State().look = look; }

bool MenuLookFromStyle(const std::string& style, MenuLook& look) {
  if (style == "Default") look = MenuLook::Default;
  else if (style == "OfficeXP") look = MenuLook::OfficeXP;
  else return false;
  return true;
}

void AppendLookItem(HMENU menu, UINT_PTR id, const char* caption, int image, UINT flags) {
  auto item = std::make_unique<LookItem>();
  item->separator = caption == nullptr;
  item->caption = caption ? Wide(caption) : std::wstring();
  item->image = image;
  item->popup = (flags & MF_POPUP) != 0;
  // The caption as a menu string holds it: "&" before the mnemonic, a tab
  // before the shortcut.
  item->msaa.dwMSAASignature = static_cast<DWORD>(MSAA_MENU_SIG);
  item->msaa.cchWText = static_cast<DWORD>(item->caption.size());
  item->msaa.pszWText = item->caption.data();

  MENUITEMINFOW mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_DATA;
  mii.wID = item->popup ? 0 : static_cast<UINT>(id);
  mii.fState = (flags & MF_GRAYED) ? MFS_GRAYED : 0;
  mii.dwItemData = reinterpret_cast<ULONG_PTR>(item.get());
  if (item->popup) {
    mii.fMask |= MIIM_SUBMENU;
    mii.hSubMenu = reinterpret_cast<HMENU>(id);
  }
  if (State().look == MenuLook::OfficeXP) {
    mii.fType = MFT_OWNERDRAW | (item->separator ? MFT_SEPARATOR : 0);
  } else if (item->separator) {
    mii.fType = MFT_SEPARATOR;
  } else {
    mii.fType = MFT_STRING;
    mii.fMask |= MIIM_STRING;
    mii.dwTypeData = item->caption.data();
    if (image) {
      // The system draws the item; the image comes through WM_DRAWITEM.
      mii.fMask |= MIIM_BITMAP;
      mii.hbmpItem = HBMMENU_CALLBACK;
    }
  }
  InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &mii);
  State().items[menu].push_back(std::move(item));
}

void TruncateLookMenu(HMENU menu, int first) {
  while (GetMenuItemCount(menu) > first) {
    int last = GetMenuItemCount(menu) - 1;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_DATA | MIIM_SUBMENU;
    GetMenuItemInfoW(menu, static_cast<UINT>(last), TRUE, &mii);
    // A submenu is not ours to destroy: remove the item only.
    RemoveMenu(menu, static_cast<UINT>(last), MF_BYPOSITION);
    auto& items = State().items[menu];
    auto* data = reinterpret_cast<LookItem*>(mii.dwItemData);
    items.erase(std::remove_if(items.begin(), items.end(),
                               [&](const std::unique_ptr<LookItem>& i) { return i.get() == data; }),
                items.end());
  }
}

void ClearLookMenu(HMENU menu) {
  TruncateLookMenu(menu, 0);
  State().items.erase(menu);
  State().shownAt.erase(menu);
}

UINT TrackLookMenu(HMENU menu, UINT flags, POINT at, HWND owner, const std::function<void()>& rebuild) {
  const int dpi = DpiOfPoint(at);
  State().dpi = dpi;
  auto shown = State().shownAt.find(menu);
  if (shown != State().shownAt.end() && shown->second != dpi && rebuild) rebuild();
  State().shownAt[menu] = dpi;
  return static_cast<UINT>(TrackPopupMenu(menu, flags, at.x, at.y, 0, owner, nullptr));
}

bool MeasureMenuItem(HWND owner, MEASUREITEMSTRUCT& mis) {
  if (mis.CtlType != ODT_MENU) return false;
  auto* item = reinterpret_cast<LookItem*>(mis.itemData);
  if (!item) return false;
  if (State().look == MenuLook::Default) {  // only the image of a system-drawn item
    mis.itemWidth = static_cast<UINT>(Px(kImageSide));
    mis.itemHeight = static_cast<UINT>(Px(kImageSide));
    return true;
  }
  if (item->separator) {
    mis.itemWidth = 0;
    mis.itemHeight = static_cast<UINT>(Px(3));
    return true;
  }
  const WindowDc dc(owner);
  SelectObjectScope font(dc.get(), MenuFont());
  auto [text, shortcut] = SplitShortcut(item->caption);
  SIZE t = TextSize(dc.get(), text), s = TextSize(dc.get(), shortcut);
  mis.itemWidth = static_cast<UINT>(Px(kGutter) + Px(8) + t.cx + (shortcut.empty() ? 0 : Px(24) + s.cx) + Px(16));
  mis.itemHeight = static_cast<UINT>(std::max<LONG>(Px(22), t.cy + Px(8)));
  return true;
}

bool DrawMenuItem(DRAWITEMSTRUCT& dis) {
  if (dis.CtlType != ODT_MENU) return false;
  auto* item = reinterpret_cast<LookItem*>(dis.itemData);
  if (!item) return false;
  HDC dc = dis.hDC;
  const RECT& r = dis.rcItem;
  const bool disabled = (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  if (State().look == MenuLook::Default) {
    DrawImage(dc, item->image, r.left, r.top + (r.bottom - r.top - Px(kImageSide)) / 2, disabled);
    return true;
  }
  // Its own light colors, or with high contrast on the theme's.
  const MenuLookColors colors = OfficeXpMenuColors(HighContrastOn());
  auto fill = [&](RECT box, TColor color) {
    GdiObject brush(CreateSolidBrush(static_cast<COLORREF>(ResolveColor(color))));
    FillRect(dc, &box, static_cast<HBRUSH>(brush.get()));
  };
  fill(r, colors.background);
  fill(RECT{r.left, r.top, r.left + Px(kGutter), r.bottom}, colors.gutter);
  if (item->separator) {
    fill(RECT{r.left + Px(kGutter) + Px(8), r.top + Px(1), r.right, r.top + Px(1) + Px(1)}, colors.separator);
    return true;
  }
  const bool selected = (dis.itemState & ODS_SELECTED) && !disabled;
  if (selected) {
    fill(r, colors.highlightBorder);
    const int border = Px(1);
    fill(RECT{r.left + border, r.top + border, r.right - border, r.bottom - border}, colors.highlight);
  }
  if (item->image)
    DrawImage(dc, item->image, r.left + Px(4), r.top + (r.bottom - r.top - Px(kImageSide)) / 2, disabled);
  SelectObjectScope font(dc, MenuFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, static_cast<COLORREF>(
                      ResolveColor(disabled ? colors.disabledText : selected ? colors.highlightText : colors.text)));
  auto [text, shortcut] = SplitShortcut(item->caption);
  RECT textBox{r.left + Px(kGutter) + Px(8), r.top, r.right - Px(16), r.bottom};
  UINT flags = DT_SINGLELINE | DT_VCENTER | ((dis.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textBox, flags | DT_LEFT);
  if (!shortcut.empty())
    DrawTextW(dc, shortcut.c_str(), static_cast<int>(shortcut.size()), &textBox, flags | DT_RIGHT | DT_NOPREFIX);
  return true;
}

bool MenuCharResult(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (State().look != MenuLook::OfficeXP) return false;
  HMENU menu = reinterpret_cast<HMENU>(lParam);
  // The character comes as UTF-16 to a Unicode window; letters of every
  // script match without case.
  auto lower = [](wchar_t c) {
    CharLowerBuffW(&c, 1);
    return c;
  };
  const wchar_t wanted = lower(static_cast<wchar_t>(LOWORD(wParam)));
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_DATA | MIIM_STATE;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii) || (mii.fState & MFS_GRAYED)) continue;
    auto* item = reinterpret_cast<LookItem*>(mii.dwItemData);
    if (!item || item->separator) continue;
    const std::wstring& c = item->caption;
    for (std::size_t p = 0; p + 1 < c.size() && c[p] != L'\t'; ++p) {
      if (c[p] != L'&') continue;
      if (c[p + 1] == L'&') {
        ++p;  // "&&" draws one ampersand
        continue;
      }
      if (lower(c[p + 1]) == wanted) {
        result = MAKELRESULT(i, item->popup ? MNC_SELECT : MNC_EXECUTE);
        return true;
      }
      break;
    }
  }
  result = MAKELRESULT(0, MNC_IGNORE);
  return true;
}

}  // namespace wisplet
