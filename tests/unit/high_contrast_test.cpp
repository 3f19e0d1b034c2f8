// High contrast: what notes, the Office XP menus and the page strip paint with.
#include "model/high_contrast.h"

#include <gtest/gtest.h>

using namespace wisplet;

namespace {

// Background and text pairs that every high-contrast theme keeps apart:
// window, highlight, button face and menu with their texts, and gray text.
bool IsContrastPair(TColor background, TColor text) {
  const TColor pairs[][2] = {{5, 8}, {13, 14}, {15, 18}, {4, 7}, {4, 17}};
  for (const auto& p : pairs)
    if ((kSystemColorFlag | p[0]) == background && (kSystemColorFlag | p[1]) == text) return true;
  return false;
}

}  // namespace

TEST(HighContrast, EverythingPaintsWithSystemPairsAndGoesBackWhenItIsOff) {
  TColorScheme translucent = DefaultScheme(), noTitle = DefaultScheme();
  translucent.Name = "Glass";
  translucent.AlphaBlendValue = 50;
  translucent.TitleGradType = fgdRectangle;
  noTitle.TitleColor = clNone;
  for (const TColorScheme& own : {DefaultScheme(), translucent, noTitle}) {
    EXPECT_EQ(SchemeToPaint(own, false), own);
    TColorScheme painted = SchemeToPaint(own, true);
    EXPECT_EQ(painted.Name, own.Name);
    EXPECT_TRUE(IsContrastPair(painted.TitleColor, painted.TitleFontColor)) << own.Name;
    EXPECT_TRUE(IsContrastPair(painted.MemoColor, painted.MemoFontColor)) << own.Name;
    EXPECT_NE(painted.TitleColor, painted.MemoColor);  // the title bar stands apart
    EXPECT_EQ(painted.TitleGradType + painted.MemoGradType, 2 * fgdNone);
    EXPECT_EQ(painted.AlphaBlendValue, 0);
  }
  const MenuLookColors menu = OfficeXpMenuColors(true);
  for (TColor text : {menu.text, menu.disabledText, menu.separator}) {
    EXPECT_TRUE(IsContrastPair(menu.background, text));
    EXPECT_TRUE(IsContrastPair(menu.gutter, text));
  }
  EXPECT_TRUE(IsContrastPair(menu.highlight, menu.highlightText));
  const PageStripColors strip = OptionsPageStripColors(true);
  EXPECT_TRUE(IsContrastPair(strip.strip, strip.text) && IsContrastPair(strip.strip, strip.chosenBorder));
  EXPECT_TRUE(IsContrastPair(strip.chosen, strip.chosenText));
  // Without high contrast the looks keep their own light colors.
  EXPECT_FALSE(IsSystemColor(OfficeXpMenuColors(false).background));
  EXPECT_FALSE(IsSystemColor(OptionsPageStripColors(false).strip));
}
