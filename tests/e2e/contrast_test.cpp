// High contrast and the owner-drawn menus, checked in this process on the
// program's own note window and menu look: Wine cannot switch high contrast
// on, and another process cannot read a menu's items under Wine.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include "base/contrast.h"
#include "base/gdi_surface.h"
#include "base/menu_look.h"
#include "notes/sticker_window.h"

using namespace wisplet;

namespace {

struct FakeHost : NoteHost {
  void ShowEditNote(TStickerWindow&) override {}
  void ShowNewNote() override {}
  void RemoveSticker(TStickerWindow&) override {}
  const TListSticker& NoteList() const override { return list; }
  TListSticker list;
};

// A bitmap the size of the screen's, selected into a memory DC.
class Canvas {
 public:
  Canvas(int width, int height) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_.reset(CreateCompatibleBitmap(screen, width, height));
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_.get());
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  HDC dc_ = nullptr;
  GdiObject bitmap_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

TEST(HighContrast, ANotePaintsInTheThemesColorsOpaqueAndGoesBackToItsScheme) {
  FakeHost host;
  TStickerWindow note(host);
  TColorScheme glass = DefaultScheme();
  glass.TitleColor = clNavy;
  glass.TitleGradType = fgdNone;  // solid
  glass.MemoColor = glass.MemoGradColor = clSkyBlue;
  glass.AlphaBlendValue = 50;
  note.SetTitle("Contrast");
  note.SetMemo("text");
  note.ApplyScheme(glass);
  note.SetActive(true);
  const RECT r = note.Bounds();
  const int w = r.right - r.left, h = r.bottom - r.top;
  auto paint = [&] {
    auto canvas = std::make_unique<Canvas>(w, h);
    SendMessageW(note.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->Dc()), PRF_CLIENT);
    return canvas;
  };
  auto alpha = [&] {
    BYTE a = 0;
    GetLayeredWindowAttributes(note.Handle(), nullptr, &a, nullptr);
    return a;
  };
  struct Step {
    std::optional<bool> contrast;
    COLORREF title, memo;  // a pixel between the menu button and the title, one below the text
    BYTE alpha;
  } steps[] = {
      {true, GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_WINDOW), 255},
      {false, static_cast<COLORREF>(clNavy), static_cast<COLORREF>(clSkyBlue), 127},
  };
  for (const Step& step : steps) {
    ForceHighContrast(step.contrast);
    SendMessageW(note.Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    auto canvas = paint();
    EXPECT_EQ(canvas->Pixel(24, 3), step.title) << *step.contrast;
    EXPECT_EQ(canvas->Pixel(w - 10, h - 6), step.memo) << *step.contrast;
    EXPECT_EQ(alpha(), step.alpha) << *step.contrast;
    EXPECT_EQ(note.Scheme, glass);  // the note's own scheme, as the file keeps it
  }
  ForceHighContrast(std::nullopt);
}

TEST(HighContrast, OfficeXpItemsCarryTheirTextForReadersAndTakeTheThemesColors) {
  const MenuLook before = CurrentMenuLook();
  SetCurrentMenuLook(MenuLook::OfficeXP);
  HMENU menu = CreatePopupMenu();
  AppendLookItem(menu, 1, "&Edit Note\tCtrl+E");
  AppendLookItem(menu, 0, nullptr);
  AppendLookItem(menu, 2, "Show All Notes");
  struct Item {
    UINT position;
    const wchar_t* text;
  } items[] = {{0, L"&Edit Note\tCtrl+E"}, {1, L""}, {2, L"Show All Notes"}};
  for (const Item& item : items) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_DATA | MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoW(menu, item.position, TRUE, &mii));
    EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);
    const auto* info = reinterpret_cast<const MSAAMENUINFO*>(mii.dwItemData);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->dwMSAASignature, static_cast<DWORD>(MSAA_MENU_SIG));
    EXPECT_EQ(std::wstring(info->pszWText, info->cchWText), item.text);
  }

  // The first item drawn chosen and not: background and text as the look's
  // own or as the high-contrast theme's.
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_DATA;
  GetMenuItemInfoW(menu, 0, TRUE, &mii);
  Canvas canvas(200, 22);
  auto draw = [&](bool chosen) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemState = chosen ? ODS_SELECTED : 0;
    dis.hDC = canvas.Dc();
    dis.rcItem = RECT{0, 0, 200, 22};
    dis.itemData = mii.dwItemData;
    EXPECT_TRUE(DrawMenuItem(dis));
    return canvas.Pixel(100, 11);  // right of the caption, left of the shortcut
  };
  ForceHighContrast(true);
  EXPECT_EQ(draw(false), GetSysColor(COLOR_MENU));
  EXPECT_EQ(draw(true), GetSysColor(COLOR_HIGHLIGHT));
  ForceHighContrast(false);
  EXPECT_EQ(draw(false), RGB(252, 252, 249));
  EXPECT_EQ(draw(true), RGB(193, 210, 238));
  ForceHighContrast(std::nullopt);
  ClearLookMenu(menu);
  DestroyMenu(menu);
  SetCurrentMenuLook(before);
}
