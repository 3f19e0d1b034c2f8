#include "base/menu_look.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

#include "base/wide_text.h"
#include "base/win32_handles.h"

namespace wisplet {
namespace {

// What an owner-drawn item needs to draw itself.
struct LookItem {
  std::wstring caption;  // empty for a separator
  int image = 0;
  bool separator = false;
  bool popup = false;
};

MenuLook g_look = MenuLook::Default;
std::unordered_map<HMENU, std::vector<std::unique_ptr<LookItem>>> g_items;

constexpr int kGutter = 24;
constexpr COLORREF kXpBackground = RGB(252, 252, 249);
constexpr COLORREF kXpGutter = RGB(235, 233, 225);
constexpr COLORREF kXpHighlight = RGB(193, 210, 238);
constexpr COLORREF kXpHighlightBorder = RGB(49, 106, 197);
constexpr COLORREF kXpSeparator = RGB(197, 194, 184);

HFONT MenuFont() {
  static GdiObject font = [] {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    return GdiObject(CreateFontIndirectW(&ncm.lfMenuFont));
  }();
  return static_cast<HFONT>(font.get());
}

HBITMAP MenuImage(int id) {
  static std::unordered_map<int, GdiObject> images;
  auto& slot = images[id];
  if (!slot) slot.reset(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
  return static_cast<HBITMAP>(slot.get());
}

void DrawImage(HDC dc, int id, int x, int y, bool disabled) {
  HBITMAP bitmap = MenuImage(id);
  if (!bitmap) return;
  HDC source = CreateCompatibleDC(dc);
  {
    SelectObjectScope select(source, bitmap);
    if (disabled)
      DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, x, y, 16, 16,
                 DST_BITMAP | DSS_DISABLED);
    else
      TransparentBlt(dc, x, y, 16, 16, source, 0, 0, 16, 16, RGB(255, 0, 255));
  }
  DeleteDC(source);
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

MenuLook CurrentMenuLook() { return g_look; }
void SetCurrentMenuLook(MenuLook look) { g_look = look; }

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
  if (g_look == MenuLook::OfficeXP) {
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
  g_items[menu].push_back(std::move(item));
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
    auto& items = g_items[menu];
    auto* data = reinterpret_cast<LookItem*>(mii.dwItemData);
    items.erase(std::remove_if(items.begin(), items.end(),
                               [&](const std::unique_ptr<LookItem>& i) { return i.get() == data; }),
                items.end());
  }
}

void ClearLookMenu(HMENU menu) {
  TruncateLookMenu(menu, 0);
  g_items.erase(menu);
}

bool MeasureMenuItem(HWND owner, MEASUREITEMSTRUCT& mis) {
  if (mis.CtlType != ODT_MENU) return false;
  auto* item = reinterpret_cast<LookItem*>(mis.itemData);
  if (!item) return false;
  if (g_look == MenuLook::Default) {  // only the image of a system-drawn item
    mis.itemWidth = 16;
    mis.itemHeight = 16;
    return true;
  }
  if (item->separator) {
    mis.itemWidth = 0;
    mis.itemHeight = 3;
    return true;
  }
  HDC dc = GetDC(owner);
  {
    SelectObjectScope font(dc, MenuFont());
    auto [text, shortcut] = SplitShortcut(item->caption);
    SIZE t = TextSize(dc, text), s = TextSize(dc, shortcut);
    mis.itemWidth = static_cast<UINT>(kGutter + 8 + t.cx + (shortcut.empty() ? 0 : 24 + s.cx) + 16);
    mis.itemHeight = static_cast<UINT>(std::max<LONG>(22, t.cy + 8));
  }
  ReleaseDC(owner, dc);
  return true;
}

bool DrawMenuItem(DRAWITEMSTRUCT& dis) {
  if (dis.CtlType != ODT_MENU) return false;
  auto* item = reinterpret_cast<LookItem*>(dis.itemData);
  if (!item) return false;
  HDC dc = dis.hDC;
  const RECT& r = dis.rcItem;
  const bool disabled = (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  if (g_look == MenuLook::Default) {
    DrawImage(dc, item->image, r.left, r.top + (r.bottom - r.top - 16) / 2, disabled);
    return true;
  }
  auto fill = [&](RECT box, COLORREF color) {
    GdiObject brush(CreateSolidBrush(color));
    FillRect(dc, &box, static_cast<HBRUSH>(brush.get()));
  };
  fill(r, kXpBackground);
  fill(RECT{r.left, r.top, r.left + kGutter, r.bottom}, kXpGutter);
  if (item->separator) {
    fill(RECT{r.left + kGutter + 8, r.top + 1, r.right, r.top + 2}, kXpSeparator);
    return true;
  }
  const bool selected = (dis.itemState & ODS_SELECTED) && !disabled;
  if (selected) {
    fill(r, kXpHighlightBorder);
    fill(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, kXpHighlight);
  }
  if (item->image) DrawImage(dc, item->image, r.left + 4, r.top + (r.bottom - r.top - 16) / 2, disabled);
  SelectObjectScope font(dc, MenuFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
  auto [text, shortcut] = SplitShortcut(item->caption);
  RECT textBox{r.left + kGutter + 8, r.top, r.right - 16, r.bottom};
  UINT flags = DT_SINGLELINE | DT_VCENTER | ((dis.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textBox, flags | DT_LEFT);
  if (!shortcut.empty())
    DrawTextW(dc, shortcut.c_str(), static_cast<int>(shortcut.size()), &textBox, flags | DT_RIGHT | DT_NOPREFIX);
  return true;
}

bool MenuCharResult(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (g_look != MenuLook::OfficeXP) return false;
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
