#include "resources/image_scale.h"

#include <gtest/gtest.h>

#include <climits>
#include <iterator>
#include <set>

#include "resources/resource.h"

using namespace wisplet;

TEST(ImageScale, TakesTheLargestDrawnScaleNotAboveTheDisplays) {
  struct Case {
    int dpi;
    int percent;
    int glyphId;    // the menu glyph's pressed look
    int pageSide;   // a page image of the options window, 32 pixels at 100 %
  } cases[] = {
      {96, 100, 102, 32},      {72, 100, 102, 32},       {0, 100, 102, 32},
      {-96, 100, 102, 32},     {INT_MIN, 100, 102, 32},  {119, 100, 102, 32},
      {120, 125, 1102, 40},    {143, 125, 1102, 40},     {144, 150, 2102, 48},
      {168, 150, 2102, 48},    {191, 150, 2102, 48},     {192, 200, 3102, 64},
      {240, 200, 3102, 64},    {480, 200, 3102, 64},     {INT_MAX, 200, 3102, 64},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(ImageScalePercent(c.dpi), c.percent);
    EXPECT_EQ(ScaledImageId(IDB_GLYPH_MENU_DOWN, c.dpi), c.glyphId);
    EXPECT_EQ(ScaledImageSide(32, c.dpi), c.pageSide);
  }
}

TEST(ImageScale, ScaledIdentifiersNeverMeetAnotherImage) {
  const int ids[] = {IDB_GLYPH_MENU,    IDB_GLYPH_MENU_DOWN,    IDB_GLYPH_HIDE,   IDB_GLYPH_HIDE_DOWN,
                     IDB_GLYPH_PIN_OFF, IDB_GLYPH_PIN_OFF_DOWN, IDB_GLYPH_PIN_ON, IDB_GLYPH_PIN_ON_DOWN,
                     IDB_GLYPH_CLOSE,   IDB_GLYPH_CLOSE_DOWN,   IDB_MENU_NEW,     IDB_MENU_OPTIONS,
                     IDB_MENU_HELP,     IDB_MENU_ABOUT,         IDB_OPTIONS_SYSTEM, IDB_OPTIONS_COLORS,
                     IDB_ABOUT_PICTURE, IDI_WISPLET};
  std::set<int> seen;
  for (int id : ids)
    for (int dpi : {96, 120, 144, 192}) seen.insert(ScaledImageId(id, dpi));
  EXPECT_EQ(seen.size(), std::size(ids) * 4);
}
