#pragma once
// The two looks of the program's popup menus: "Default", the plain system
// menu, and "OfficeXP", a flat look with an image gutter, a flat highlight
// with a border, and separators and shortcuts drawn in that manner. Menus are
// built through AppendLookItem, so that they can be rebuilt in either look.
#include <windows.h>

#include <functional>
#include <string>

namespace wisplet {

enum class MenuLook { Default, OfficeXP };

// The look all menus are built in.
MenuLook CurrentMenuLook();
void SetCurrentMenuLook(MenuLook look);
// "Default" and "OfficeXP" name the two looks; any other name has none.
bool MenuLookFromStyle(const std::string& style, MenuLook& look);

// Appends an item: a UTF-8 caption (a tab separates the shortcut text), an optional
// 16x16 bitmap resource (at 100 %, magenta transparent; 0 for none), and the usual
// MF_GRAYED / MF_POPUP flags (for MF_POPUP, id is the submenu's handle).
// caption nullptr appends a separator.
void AppendLookItem(HMENU menu, UINT_PTR id, const char* caption, int image = 0, UINT flags = 0);
// Forgets what the look keeps for the menu's items and removes them all.
void ClearLookMenu(HMENU menu);
// Removes the items from position `first` on.
void TruncateLookMenu(HMENU menu, int first);

// Shows a popup menu at a screen point until it closes (TrackPopupMenu's
// flags and result); its items are measured and drawn for the DPI of the
// display there, with the images drawn for that scale. The system keeps the
// sizes it measured, so a menu last shown at another DPI is built again
// first, through `rebuild`.
UINT TrackLookMenu(HMENU menu, UINT flags, POINT at, HWND owner, const std::function<void()>& rebuild);

// For the window that owns a tracked menu: answers WM_MEASUREITEM and
// WM_DRAWITEM for menu items; false for anything that is not a menu item.
bool MeasureMenuItem(HWND owner, MEASUREITEMSTRUCT& mis);
bool DrawMenuItem(DRAWITEMSTRUCT& dis);
// WM_MENUCHAR: owner-drawn items have no text the system could search, so
// the underlined letter of a caption is found here. False when the system
// handles it.
bool MenuCharResult(WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace wisplet
