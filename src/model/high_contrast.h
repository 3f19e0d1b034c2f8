#pragma once
// High contrast: while it is on (SystemParametersInfo SPI_GETHIGHCONTRAST
// reports HCF_HIGHCONTRASTON; WM_SYSCOLORCHANGE and WM_SETTINGCHANGE tell
// when it changes) the notes, the Office XP menu look and the options
// window's page strip paint with the system's colors, which the user's
// high-contrast theme sets; switched off, they go back to their own colors.
// Nothing here changes the schemes of the settings file or a note's own
// Scheme: only what is painted changes.
//
// The colors are TColor values; system colors are 0x80000000 | COLOR_ index,
// which the painter resolves through GetSysColor (ResolveColor), so a theme
// changed while high contrast stays on shows at the next paint. Only the
// pairs that every high-contrast theme keeps apart are used: window and
// window text, highlight and highlight text, button face and button text,
// menu and menu text, gray text.
#include "model/color.h"
#include "model/scheme.h"

namespace wisplet {

// The scheme a note paints with and takes its translucency from: its own, or
// with high contrast on one of system colors without gradients - the title
// bar in highlight and highlight text, so that it stands apart from the text
// area in window and window text - and opaque, since a translucent note
// shows the desktop through its text and undoes the contrast. The name stays
// the note's own.
TColorScheme SchemeToPaint(const TColorScheme& own, bool highContrast);

// What the Office XP menu look paints with.
struct MenuLookColors {
  TColor background;
  TColor gutter;  // the image column
  TColor separator;
  TColor text;
  TColor disabledText;
  TColor highlight;  // the item under the cursor or chosen by keys
  TColor highlightBorder;
  TColor highlightText;
  bool operator==(const MenuLookColors&) const = default;
};
MenuLookColors OfficeXpMenuColors(bool highContrast);

// What the options window's page strip paints with: the strip and its page
// buttons, the shown (or pressed) page's button, and the buttons' captions.
struct PageStripColors {
  TColor strip;
  TColor text;
  TColor chosen;
  TColor chosenBorder;
  TColor chosenText;
  bool operator==(const PageStripColors&) const = default;
};
PageStripColors OptionsPageStripColors(bool highContrast);

}  // namespace wisplet
