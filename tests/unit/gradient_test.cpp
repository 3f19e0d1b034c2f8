#include "notes/gradient.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

using namespace wisplet;

namespace {

constexpr std::uint32_t kBackground = 0x00A5B6C7;  // a color no test paints with

std::uint32_t Gray(int level) { return Rgb(level, level, level); }

TGradient MakeGradient(TglGradientDir type, std::uint32_t from, std::uint32_t to, int steps = 255) {
  TGradient g;
  g.SetFromColor(from);
  g.SetToColor(to);
  g.SetOrientation(type);
  g.SetSteps(steps);
  g.SetActive(true);
  return g;
}

// Runs of equal color down column x (or along row y): (color, length).
std::vector<std::pair<std::uint32_t, int>> ColumnRuns(const MemorySurface& s, int x, int top, int bottom) {
  std::vector<std::pair<std::uint32_t, int>> runs;
  for (int y = top; y < bottom; ++y) {
    if (!runs.empty() && runs.back().first == s.Pixel(x, y))
      ++runs.back().second;
    else
      runs.push_back({s.Pixel(x, y), 1});
  }
  return runs;
}

bool AllBackground(const MemorySurface& s) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.Pixel(x, y) != kBackground) return false;
  return true;
}

// The picture as text, one character per pixel, '.' for the background and
// the given letters for the given colors.
std::string Picture(const MemorySurface& s, const std::vector<std::pair<std::uint32_t, char>>& legend) {
  std::string out;
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      char c = s.Pixel(x, y) == kBackground ? '.' : '?';
      for (const auto& [color, letter] : legend)
        if (s.Pixel(x, y) == color) c = letter;
      out += c;
    }
    out += '\n';
  }
  return out;
}

// Counts the drawing calls, for the bound on their number.
class CountingSurface : public DrawingSurface {
 public:
  int fills = 0;
  int lines = 0;
  void FillRect(int, int, int, int, std::uint32_t) override { ++fills; }
  void Line(int, int, int, int, std::uint32_t, int) override { ++lines; }
  int BitsPerPixel() const override { return 32; }
};

}  // namespace

// ---------------------------------------------------------------------------

TEST(MulDiv, RoundsHalvesAwayFromZeroAndMatchesThePlatformEdges) {
  struct Case {
    int number, multiplier, divisor, result;
  } cases[] = {
      {1, 255, 2, 128},    {1, -255, 2, -128},  {-1, 255, 2, -128},   {-1, -255, 2, 128},
      {1, 255, -2, -128},  {-1, 255, -2, 128},  {6, 1, 4, 2},         {-6, 1, 4, -2},
      {5, 1, 4, 1},        {7, 1, 4, 2},        {-5, 1, 4, -1},       {-7, 1, 4, -2},
      {1, 1, 3, 0},        {2, 1, 3, 1},        {-2, 1, 3, -1},       {0, -7, 3, 0},
      {3, 6, 4, 5},        {1, 6, 4, 2},        {0, 5, 1, 0},         {100000, 100000, 100000, 100000},
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX},     {INT_MAX, 2, 2, INT_MAX},
      {-INT_MAX, 1, 1, -INT_MAX},               {INT_MAX, -1, 1, -INT_MAX},
      // No divisor, or a result outside the 32-bit range: -1.
      {5, 7, 0, -1},       {0, 0, 0, -1},       {INT_MAX, 2, 1, -1},  {INT_MIN, 1, 1, -1},
      {INT_MIN, -1, 1, -1}, {INT_MAX, INT_MAX, 1, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MulDiv(c.number, c.multiplier, c.divisor), c.result)
        << c.number << " * " << c.multiplier << " / " << c.divisor;
}

// ---------------------------------------------------------------------------

TEST(MemorySurface, FillRectExcludesRightAndBottomAndClips) {
  struct Case {
    Rect rc;
    const char* picture;
  } cases[] = {
      {{1, 1, 3, 2}, ".....\n.##..\n.....\n"},
      {{0, 0, 5, 3}, "#####\n#####\n#####\n"},
      {{-4, -4, 2, 1}, "##...\n.....\n.....\n"},
      {{4, 2, 9, 9}, ".....\n.....\n....#\n"},
      {{2, 0, 2, 3}, ".....\n.....\n.....\n"},  // empty width
      {{0, 2, 5, 2}, ".....\n.....\n.....\n"},  // empty height
      {{7, 0, 9, 3}, ".....\n.....\n.....\n"},  // wholly outside
      // Inverted: turned round with the excluded edge on the other side.
      {{3, 0, 1, 1}, "..##.\n.....\n.....\n"},
      {{0, 2, 1, 0}, ".....\n#....\n#....\n"},
      {{4, 2, 0, 0}, ".....\n.####\n.####\n"},
  };
  for (const auto& c : cases) {
    MemorySurface s(5, 3, kBackground);
    s.FillRect(c.rc.left, c.rc.top, c.rc.right, c.rc.bottom, 0x123456);
    EXPECT_EQ(Picture(s, {{0x123456, '#'}}), c.picture)
        << c.rc.left << "," << c.rc.top << "," << c.rc.right << "," << c.rc.bottom;
  }
}

TEST(MemorySurface, LineLeavesOutItsEndPoint) {
  struct Case {
    int x1, y1, x2, y2;
    const char* picture;
  } cases[] = {
      {0, 0, 4, 4, "#....\n.#...\n..#..\n...#.\n.....\n"},
      {0, 4, 4, 0, ".....\n...#.\n..#..\n.#...\n#....\n"},
      {4, 0, 0, 4, "....#\n...#.\n..#..\n.#...\n.....\n"},
      {1, 2, 4, 2, ".....\n.....\n.###.\n.....\n.....\n"},
      {3, 4, 3, 1, ".....\n.....\n...#.\n...#.\n...#.\n"},
      {2, 2, 2, 2, ".....\n.....\n.....\n.....\n.....\n"},  // zero length: nothing
      {-2, 1, 3, 6, ".....\n.....\n.....\n#....\n.#...\n"},  // clipped at both ends
      {0, 1, 1, 0, ".....\n#....\n.....\n.....\n.....\n"},   // one pixel
      // Halfway points take the smaller minor coordinate.
      {0, 0, 4, 2, "##...\n..##.\n.....\n.....\n.....\n"},
      {0, 4, 4, 2, ".....\n.....\n...#.\n.##..\n#....\n"},
      {4, 0, 2, 4, "....#\n...#.\n...#.\n..#..\n.....\n"},
      {4, 4, 2, 0, ".....\n..#..\n...#.\n...#.\n....#\n"},
  };
  for (const auto& c : cases) {
    MemorySurface s(5, 5, kBackground);
    s.Line(c.x1, c.y1, c.x2, c.y2, 0x0000FF, 1);
    EXPECT_EQ(Picture(s, {{0x0000FF, '#'}}), c.picture)
        << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2;
  }
}

// ---------------------------------------------------------------------------

TEST(GradientFill, HorizontalBandsFollowMulDiv) {
  // From black to gray 254 over 255 bands makes band i gray i; over fewer
  // bands the last band reaches the to-color.
  struct Case {
    int height, steps, toGray;
    int bands;               // distinct colors down the area
    int twoPixelBands;       // how many of them are two rows high
    std::vector<std::pair<int, int>> rowGray;  // spot checks: row, gray level
  } cases[] = {
      {100, 255, 99, 100, 0, {{0, 0}, {1, 1}, {50, 50}, {99, 99}}},
      {510, 255, 254, 255, 255, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {300, 150}, {509, 254}}},
      // 300 / 255 rows a band: 45 bands of two rows, placed where the rounded
      // band edges i * 300 / 255 fall (1, 2, 4, 5, 6, 7, 8, 9, 11, ...).
      {300, 255, 254, 255, 45, {{0, 0}, {1, 1}, {2, 2}, {3, 2}, {4, 3}, {10, 8}, {11, 9}, {299, 254}}},
      // Halfway edges round up: 6 rows in 4 bands are 2, 1, 2, 1 rows, not 1, 2, 1, 2.
      {6, 4, 3, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 2}, {5, 3}}},
      // Steps bound the band count.
      {10, 2, 200, 2, 0, {{0, 0}, {4, 0}, {5, 200}, {9, 200}}},
      {1000, 255, 254, 255, 0, {{0, 0}, {3, 0}, {4, 1}, {999, 254}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("height " + std::to_string(c.height) + ", steps " + std::to_string(c.steps));
    MemorySurface s(4, c.height + 3, kBackground);
    GradientFill(s, {1, 2, 3, 2 + c.height}, MakeGradient(fgdHorizontal, Gray(0), Gray(c.toGray), c.steps));
    const auto runs = ColumnRuns(s, 1, 2, 2 + c.height);
    EXPECT_EQ(int(runs.size()), c.bands);
    int twos = 0;
    for (const auto& run : runs) twos += run.second == 2;
    EXPECT_EQ(twos, c.twoPixelBands);
    for (const auto& [row, gray] : c.rowGray) {
      EXPECT_EQ(s.Pixel(1, 2 + row), Gray(gray)) << "row " << row;
      EXPECT_EQ(s.Pixel(2, 2 + row), Gray(gray)) << "row " << row;
      EXPECT_EQ(s.Pixel(0, 2 + row), kBackground) << "left of the area, row " << row;
      EXPECT_EQ(s.Pixel(3, 2 + row), kBackground) << "right of the area, row " << row;
    }
    EXPECT_EQ(s.Pixel(1, 1), kBackground) << "above the area";
    EXPECT_EQ(s.Pixel(1, 2 + c.height), kBackground) << "below the area";
  }
}

TEST(GradientFill, ThreeBandsRoundHalfwayColorsAwayFromZero) {
  struct Case {
    TglGradientDir type;
    std::uint32_t from, to;
    std::vector<std::uint32_t> levels;
  } cases[] = {
      {fgdHorizontal, clBlack, clWhite, {Gray(0), Gray(128), Gray(255)}},
      {fgdHorizontal, clWhite, clBlack, {Gray(255), Gray(127), Gray(0)}},
      {fgdVertical, clBlack, clWhite, {Gray(0), Gray(128), Gray(255)}},
      {fgdVertical, clWhite, clBlack, {Gray(255), Gray(127), Gray(0)}},
      // Each channel on its own: red rises, green falls, blue stays.
      {fgdHorizontal, Rgb(0, 255, 7), Rgb(255, 0, 7), {Rgb(0, 255, 7), Rgb(128, 127, 7), Rgb(255, 0, 7)}},
  };
  for (const auto& c : cases) {
    MemorySurface s(3, 3, kBackground);
    GradientFill(s, {0, 0, 3, 3}, MakeGradient(c.type, c.from, c.to));
    for (int i = 0; i < 3; ++i) {
      const std::uint32_t pixel = c.type == fgdHorizontal ? s.Pixel(1, i) : s.Pixel(i, 1);
      EXPECT_EQ(pixel, c.levels[i]) << "type " << int(c.type) << " band " << i << std::hex << " from "
                                    << c.from;
    }
  }
}

TEST(GradientFill, ASingleBandHasExactlyTheFromColor) {
  struct Case {
    TglGradientDir type;
    Rect rc;
  } cases[] = {
      {fgdHorizontal, {1, 1, 7, 2}},  // one row
      {fgdVertical, {1, 1, 2, 5}},    // one column
      {fgdRectangle, {1, 1, 4, 5}},   // W div 2 = 1
      {fgdRectangle, {1, 1, 7, 4}},   // H div 2 = 1
  };
  const std::uint32_t from = Rgb(10, 200, 77);
  for (const auto& c : cases) {
    SCOPED_TRACE("type " + std::to_string(c.type));
    MemorySurface s(8, 6, kBackground);
    GradientFill(s, c.rc, MakeGradient(c.type, from, clWhite));
    for (int y = 0; y < s.Height(); ++y)
      for (int x = 0; x < s.Width(); ++x) {
        const bool inside = x >= c.rc.left && x < c.rc.right && y >= c.rc.top && y < c.rc.bottom;
        EXPECT_EQ(s.Pixel(x, y), inside ? from : kBackground) << x << "," << y;
      }
  }
}

TEST(GradientFill, DiagonalTypesStartAtTheirCornersAndOnlyRightBiasCoversTheTopRow) {
  const std::uint32_t from = Rgb(0, 0, 0);
  const std::uint32_t to = Rgb(0, 0, 240);
  // 4 x 3 gives 7 bands, one line each: levels 0, 40, ..., 240. LeftBias
  // lines start on the row below the area once P runs along the bottom; the
  // panel's clipping hides that row.
  struct Case {
    TglGradientDir type;
    int penWidth;
    const char* picture;  // '0'..'6' band index
  } cases[] = {
      {fgdLeftBias, 1, "......\n......\n.0123.\n.1234.\n.2345.\n"},
      {fgdLeftBias, 0, "......\n......\n.0123.\n.1234.\n.2345.\n"},  // pen width 0 counts as 1
      {fgdRightBias, 1, "......\n.3210.\n.4321.\n.5432.\n......\n"},
  };
  std::vector<std::pair<std::uint32_t, char>> legend;
  for (int i = 0; i < 7; ++i) legend.push_back({Rgb(0, 0, 40 * i), char('0' + i)});
  for (const auto& c : cases) {
    MemorySurface s(6, 5, kBackground);
    GradientFill(s, {1, 1, 5, 4}, MakeGradient(c.type, from, to), PenStyle::Solid, c.penWidth);
    EXPECT_EQ(Picture(s, legend), c.picture) << "type " << int(c.type) << " pen " << c.penWidth;
  }
}

TEST(GradientFill, LeftBiasLeavesTheTopRowAndRightBiasCoversAllOfTheArea) {
  for (const Rect rc : {Rect{2, 3, 40, 20}, Rect{0, 0, 7, 300}, Rect{5, 1, 300, 6}}) {
    SCOPED_TRACE(std::to_string(rc.right - rc.left) + "x" + std::to_string(rc.bottom - rc.top));
    for (TglGradientDir type : {fgdLeftBias, fgdRightBias}) {
      MemorySurface s(rc.right + 2, rc.bottom + 2, kBackground);
      GradientFill(s, rc, MakeGradient(type, Rgb(1, 2, 3), Rgb(250, 240, 230)));
      int unpaintedInside = 0, unpaintedTop = 0, paintedOutside = 0, paintedBelow = 0;
      for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) {
          const bool inside = x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
          const bool painted = s.Pixel(x, y) != kBackground;
          if (inside && !painted) ++(y == rc.top ? unpaintedTop : unpaintedInside);
          if (!inside && painted) ++(y == rc.bottom && x >= rc.left && x < rc.right ? paintedBelow : paintedOutside);
        }
      EXPECT_EQ(unpaintedInside, 0) << "type " << int(type);
      EXPECT_EQ(paintedOutside, 0) << "type " << int(type);
      EXPECT_EQ(unpaintedTop, type == fgdLeftBias ? rc.right - rc.left : 0) << "type " << int(type);
      // LeftBias lines that start on the bottom edge paint the row below.
      EXPECT_EQ(paintedBelow, type == fgdLeftBias ? rc.right - rc.left : 0) << "type " << int(type);
    }
  }
}

TEST(GradientFill, RectangleBandsAreConcentric) {
  // 9 x 7: W' = 4, H' = 3, three bands inset by (0, 0), (1, 1), (3, 2).
  MemorySurface s(11, 9, kBackground);
  GradientFill(s, {1, 1, 10, 8}, MakeGradient(fgdRectangle, Gray(0), Gray(200)));
  EXPECT_EQ(Picture(s, {{Gray(0), 'a'}, {Gray(100), 'b'}, {Gray(200), 'c'}}),
            "...........\n"
            ".aaaaaaaaa.\n"
            ".abbbbbbba.\n"
            ".abbcccbba.\n"
            ".abbcccbba.\n"
            ".abbcccbba.\n"
            ".abbbbbbba.\n"
            ".aaaaaaaaa.\n"
            "...........\n");
}

TEST(GradientFill, ConvergentTypesMirrorAboutTheMiddle) {
  struct Case {
    int extent;
    std::vector<int> levels;  // gray level along the varying axis
  } cases[] = {
      // Odd: both halves have 6 rows and share row 5, which the lower half
      // paints with the to-color.
      {11, {0, 50, 100, 150, 200, 250, 200, 150, 100, 50, 0}},
      // Even: two halves of 5 with no shared row. Halfway levels round away
      // from zero, up on the way to 250 and down on the way back.
      {10, {0, 63, 125, 188, 250, 250, 187, 125, 62, 0}},
      // The halves of 3 rows are 2 each, sharing the middle row.
      {3, {0, 250, 0}},
      // One row: the upper half has it whole, then the lower half (from the
      // to-color, one band) paints over it.
      {1, {250}},
  };
  for (const auto& c : cases) {
    for (TglGradientDir type : {fgdHorzConvergent, fgdVertConvergent}) {
      SCOPED_TRACE("extent " + std::to_string(c.extent) + " type " + std::to_string(type));
      const bool horz = type == fgdHorzConvergent;
      MemorySurface s(horz ? 4 : c.extent + 2, horz ? c.extent + 2 : 4, kBackground);
      const Rect rc = horz ? Rect{1, 1, 3, 1 + c.extent} : Rect{1, 1, 1 + c.extent, 3};
      GradientFill(s, rc, MakeGradient(type, Gray(0), Gray(250)));
      for (int i = 0; i < c.extent; ++i) {
        EXPECT_EQ(horz ? s.Pixel(1, 1 + i) : s.Pixel(1 + i, 1), Gray(c.levels[i])) << i;
        EXPECT_EQ(horz ? s.Pixel(2, 1 + i) : s.Pixel(1 + i, 2), Gray(c.levels[i])) << i;
      }
      EXPECT_EQ(horz ? s.Pixel(1, 0) : s.Pixel(0, 1), kBackground);
      EXPECT_EQ(horz ? s.Pixel(1, c.extent + 1) : s.Pixel(c.extent + 1, 1), kBackground);
    }
  }
}

TEST(GradientFill, PaintsNothingForAnEmptyExtentOfItsType) {
  struct Case {
    TglGradientDir type;
    int w, h;
  } cases[] = {
      {fgdHorizontal, 5, 0},     {fgdHorizontal, 5, -3},    {fgdHorizontal, 0, 0},
      {fgdVertical, 0, 5},       {fgdVertical, -4, 5},      {fgdVertical, -2, -2},
      {fgdRectangle, 1, 10},     {fgdRectangle, 10, 1},     {fgdRectangle, 0, 10},
      {fgdRectangle, 10, -5},    {fgdRectangle, -6, -6},    {fgdRectangle, -6, 6},
      {fgdLeftBias, 0, 0},       {fgdLeftBias, -3, -3},     {fgdLeftBias, 0, -4},
      {fgdRightBias, 0, 0},      {fgdRightBias, -5, 2},     {fgdRightBias, 6, -9},
      {fgdHorzConvergent, 5, 0}, {fgdHorzConvergent, 5, -1}, {fgdHorzConvergent, 5, -4},
      {fgdVertConvergent, 0, 5}, {fgdVertConvergent, -1, 5}, {fgdVertConvergent, -6, 5},
      // Mixed signs with a positive sum: the diagonal end points meet on every
      // line, and a line to its own start draws nothing.
      {fgdLeftBias, 9, -4},      {fgdLeftBias, -4, 9},      {fgdRightBias, 9, -4},
      {fgdRightBias, -4, 9},
  };
  for (const auto& c : cases) {
    MemorySurface s(30, 30, kBackground);
    GradientFill(s, {12, 12, 12 + c.w, 12 + c.h}, MakeGradient(c.type, clBlack, clWhite));
    EXPECT_TRUE(AllBackground(s)) << "type " << int(c.type) << " " << c.w << "x" << c.h;
  }
}

TEST(GradientFill, PaintsNothingWhenSwitchedOffOrOnALowColorDisplay) {
  struct Case {
    const char* what;
    int bitsPerPixel;
    bool active;
    int steps;
    TglGradientDir type;
    bool paints;
  } cases[] = {
      {"1 bpp", 1, true, 255, fgdHorizontal, false},
      {"4 bpp", 4, true, 255, fgdHorizontal, false},
      {"8 bpp", 8, true, 255, fgdVertical, false},
      {"15 bpp", 15, true, 255, fgdRectangle, false},
      {"16 bpp", 16, true, 255, fgdHorizontal, true},
      {"24 bpp", 24, true, 255, fgdHorizontal, true},
      {"inactive", 32, false, 255, fgdHorizontal, false},
      {"inactive diagonal", 32, false, 255, fgdRightBias, false},
      {"one step", 32, true, 1, fgdHorizontal, false},
      {"one step convergent", 32, true, 1, fgdHorzConvergent, false},
      {"two steps", 32, true, 2, fgdHorizontal, true},
      {"type None", 32, true, 255, fgdNone, false},
      {"type out of range", 32, true, 255, TglGradientDir(9), false},
  };
  for (const auto& c : cases) {
    MemorySurface s(20, 20, kBackground, c.bitsPerPixel);
    TGradient g = MakeGradient(c.type, clBlack, clWhite, c.steps);
    g.SetActive(c.active);
    GradientFill(s, {2, 2, 18, 18}, g);
    EXPECT_EQ(!AllBackground(s), c.paints) << c.what;
  }
}

TEST(GradientFill, EqualColorsGiveASolidFillForEveryType) {
  const std::uint32_t color = Rgb(33, 66, 99);
  for (int type = fgdHorizontal; type <= fgdVertConvergent; ++type) {
    for (const Rect rc : {Rect{1, 2, 14, 11}, Rect{3, 1, 4, 12}, Rect{0, 0, 16, 2}}) {
      MemorySurface s(16, 13, kBackground);
      GradientFill(s, rc, MakeGradient(TglGradientDir(type), color, color));
      const int w = rc.right - rc.left, h = rc.bottom - rc.top;
      const bool paints = type != fgdRectangle || (w >= 2 && h >= 2);
      for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) {
          const bool inside = x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
          // The top row of LeftBias stays unpainted and the row below it is
          // painted.
          const bool below = y == rc.bottom && x >= rc.left && x < rc.right;
          const bool expected = type == fgdLeftBias ? (inside && y != rc.top) || below : paints && inside;
          ASSERT_EQ(s.Pixel(x, y), expected ? color : kBackground)
              << "type " << type << " at " << x << "," << y << " in " << w << "x" << h;
        }
    }
  }
}

TEST(GradientFill, StaysWithinAFixedNumberOfBands) {
  struct Case {
    TglGradientDir type;
    int w, h, fills, lines;
  } cases[] = {
      {fgdHorizontal, 50, 1000, 255, 0},   {fgdVertical, 1000, 50, 255, 0},
      {fgdRectangle, 2000, 900, 255, 0},   {fgdRectangle, 30, 20, 10, 0},
      {fgdHorzConvergent, 40, 2000, 510, 0},
      // The diagonal types draw one line per pixel of W + H, in 255 colors.
      {fgdLeftBias, 300, 200, 0, 500},     {fgdRightBias, 3, 4, 0, 7},
  };
  for (const auto& c : cases) {
    CountingSurface s;
    GradientFill(s, {0, 0, c.w, c.h}, MakeGradient(c.type, clBlack, clWhite));
    EXPECT_EQ(s.fills, c.fills) << "type " << int(c.type);
    EXPECT_EQ(s.lines, c.lines) << "type " << int(c.type);
  }
}

// ---------------------------------------------------------------------------

TEST(TGradient, StartsAsAnInactiveGreyToBlackHorizontalFill) {
  TGradient g;
  EXPECT_EQ(g.FromColor(), 0x808080u);
  EXPECT_EQ(g.FromRGB(), 0x808080u);
  EXPECT_EQ(g.ToColor(), 0u);
  EXPECT_EQ(g.ToRGB(), 0u);
  EXPECT_FALSE(g.Active());
  EXPECT_EQ(g.Orientation(), fgdHorizontal);
  EXPECT_EQ(g.Steps(), 255);
}

TEST(TGradient, StepsAreKeptWithinOneTo255) {
  struct Case {
    int set, result;
  } cases[] = {{0, 1},     {-5, 1},     {INT_MIN, 1}, {1, 1},         {2, 2},
               {254, 254}, {255, 255}, {256, 255},   {1000, 255},    {INT_MAX, 255}};
  for (const auto& c : cases) {
    TGradient g;
    g.SetSteps(c.set);
    EXPECT_EQ(g.Steps(), c.result) << c.set;
  }
}

TEST(TGradient, NotifiesOnlyARealChange) {
  struct Case {
    const char* what;
    std::function<void(TGradient&)> change;
    int notifications;
  } cases[] = {
      {"from color", [](TGradient& g) { g.SetFromColor(0x123456); }, 1},
      {"same from color", [](TGradient& g) { g.SetFromColor(0x808080); }, 0},
      {"to color", [](TGradient& g) { g.SetToColor(clWhite); }, 1},
      {"same to color", [](TGradient& g) { g.SetToColor(clBlack); }, 0},
      {"active", [](TGradient& g) { g.SetActive(true); }, 1},
      {"same active", [](TGradient& g) { g.SetActive(false); }, 0},
      {"steps", [](TGradient& g) { g.SetSteps(10); }, 1},
      {"same steps", [](TGradient& g) { g.SetSteps(255); }, 0},
      {"steps clamped to the same", [](TGradient& g) { g.SetSteps(256); }, 0},
      {"orientation while inactive", [](TGradient& g) { g.SetOrientation(fgdRectangle); }, 0},
      {"orientation while active",
       [](TGradient& g) {
         g.SetActive(true);
         g.SetOrientation(fgdRectangle);
       },
       2},
      {"same orientation while active",
       [](TGradient& g) {
         g.SetActive(true);
         g.SetOrientation(fgdHorizontal);
       },
       1},
      {"a color set twice",
       [](TGradient& g) {
         g.SetFromColor(clWhite);
         g.SetFromColor(clWhite);
       },
       1},
  };
  for (const auto& c : cases) {
    TGradient g;
    int notified = 0;
    g.SetOnChange([&] { ++notified; });
    c.change(g);
    EXPECT_EQ(notified, c.notifications) << c.what;
  }
}

TEST(TGradient, ResolvesColorsWhenTheyAreAssigned) {
  std::uint32_t windowColor = 0xEEDDCC;
  int calls = 0;
  const ColorResolver resolve = [&](TColor c) -> std::uint32_t {
    ++calls;
    return IsSystemColor(c) ? windowColor : c;
  };
  TGradient g;
  g.SetFromColor(clWindow, resolve);
  g.SetToColor(clSkyBlue, resolve);
  EXPECT_EQ(g.FromColor(), clWindow);
  EXPECT_EQ(g.FromRGB(), 0xEEDDCCu);
  EXPECT_EQ(g.ToRGB(), clSkyBlue);
  EXPECT_EQ(calls, 2);

  // A later change of the system color shows only once the color is set anew.
  windowColor = 0x112233;
  g.SetFromColor(clWindow, resolve);
  EXPECT_EQ(g.FromRGB(), 0xEEDDCCu);
  g.SetFromColor(clWhite, resolve);
  g.SetFromColor(clWindow, resolve);
  EXPECT_EQ(g.FromRGB(), 0x112233u);

  // Only 24 bits of what the resolver gives are a color.
  g.SetToColor(clNone, [](TColor) -> std::uint32_t { return 0xFF00FF00; });
  EXPECT_EQ(g.ToRGB(), 0x00FF00u);
  g.SetToColor(clDefault);
  EXPECT_EQ(g.ToRGB(), 0u);
}

TEST(GradientFill, PaintsWithTheColorsResolvedAtAssignment) {
  TGradient g = MakeGradient(fgdHorizontal, clBlack, clBlack);
  g.SetFromColor(clWindow, [](TColor) -> std::uint32_t { return 0x0A0B0C; });
  MemorySurface s(2, 2, kBackground);
  GradientFill(s, {0, 0, 2, 1}, g);
  EXPECT_EQ(s.Pixel(0, 0), 0x0A0B0Cu);
  EXPECT_EQ(s.Pixel(0, 1), kBackground);
}
