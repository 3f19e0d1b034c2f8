// Sizes designed at 96 DPI on displays of 100, 125, 150 and 200 %, and the
// settings file's 96-DPI units on the screen and back.
#include "model/dpi_scale.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "notes/cascade.h"
#include "notes/note_layout.h"
#include "notes/snapping.h"

using namespace wisplet;

namespace {

constexpr Rect kWork{0, 0, 1024, 738};

}  // namespace

TEST(DpiScale, LayoutSnappingAndStoredUnitsAtEachScale) {
  struct Case {
    int dpi;
    int line;  // the TrueType face's line at this DPI ("MS Sans Serif" at 96)
    int noteWidth, snap, button, minHeight;
    Rect memo;  // of a note as wide and high as the default width and twice the line
    NoteBounds shown;  // a note stored at 100,100 sized 200x80
  } cases[] = {
      {96, 13, 200, 10, 15, 17, {2, 15, 196, 22}, {100, 100, 200, 80}},
      {120, 15, 250, 13, 18, 20, {3, 18, 245, 25}, {125, 125, 250, 100}},
      {144, 18, 300, 15, 21, 24, {3, 21, 294, 30}, {150, 150, 300, 120}},
      {192, 24, 400, 20, 28, 32, {4, 28, 392, 40}, {200, 200, 400, 160}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    const NoteLayout l{c.noteWidth, 2 * c.line, c.line, c.dpi};
    EXPECT_EQ(DefaultNoteWidthAt(c.dpi), c.noteWidth);
    EXPECT_EQ(SnapDistanceAt(c.dpi), c.snap);
    EXPECT_EQ(l.ButtonWidth(), c.button);
    EXPECT_EQ(l.TitleBarHeight(), c.button);
    EXPECT_EQ(l.MinHeight(), c.minHeight);
    EXPECT_EQ(l.MemoLabel(), c.memo);
    // The title lies between the menu button and the three others, clear of both.
    EXPECT_GT(l.TitleLabel().left, l.MenuButton().right - 1);
    EXPECT_LE(l.TitleLabel().right, l.HideButton().left);
    EXPECT_LT(l.CloseButton().right, c.noteWidth);
    EXPECT_EQ(ConstrainNoteSize(0, 0, c.line, c.dpi).width, c.noteWidth);
    EXPECT_EQ(ConstrainNoteSize(0, 0, c.line, c.dpi).height, c.minHeight);
    EXPECT_EQ(FitToContent(1, c.line, [&](int) { return TextExtent{1, c.line}; }, c.dpi).width, c.noteWidth);

    // Snapping and the resize corner reach as far as the scaled distance, not a pixel more.
    const int w = c.noteWidth, h = 3 * c.line;
    EXPECT_EQ(SnapMove(RectAt(c.snap, 300, w, h), kWork, {}, c.snap), (Snapped{0, 300, SnapLeft}));
    EXPECT_EQ(SnapMove(RectAt(c.snap + 1, 300, w, h), kWork, {}, c.snap), (Snapped{c.snap + 1, 300, 0}));
    const std::vector<Rect> other{RectAt(600, 300, w, h)};
    EXPECT_EQ(SnapMove(RectAt(600 - w - c.snap, 300, w, h), kWork, other, c.snap).edges, SnapRight);
    EXPECT_EQ(SnapMove(RectAt(600 - w - c.snap - 1, 300, w, h), kWork, other, c.snap).edges, 0);
    const NoteLayout big{w, h, c.line, c.dpi};
    EXPECT_TRUE(big.InResizeZone(NotePart::MemoBevel, w - c.snap, h - 1));
    EXPECT_FALSE(big.InResizeZone(NotePart::MemoBevel, w - c.snap - 1, h - 1));

    // The same screen, scaled, takes new notes in the same pattern: twelve
    // to a column, four columns, the 49th back at the top right.
    const Rect work{0, 0, ScaleToDpi(1024, c.dpi), ScaleToDpi(738, c.dpi)};
    const int nw = c.noteWidth, nh = ScaleToDpi(50, c.dpi);
    int row = 0, column = 0;
    std::vector<CascadeSlot> slots;
    for (int i = 0; i < 50; ++i) slots.push_back(NextCascadeSlot(row, column, nw, nh, work, work.right, c.dpi));
    EXPECT_EQ(slots[11].top, 11 * nh);
    EXPECT_EQ(slots[12].left, work.right - 2 * nw);
    EXPECT_EQ(slots[47].left, work.right - 4 * nw);
    EXPECT_EQ(slots[48].left, work.right - nw);
    EXPECT_EQ(slots[48].top, 0);

    // Stored units on the screen, and back without a unit lost, with the
    // display at the system's DPI and at the other scales.
    EXPECT_EQ(StoredToScreen({100, 100, 200, 80}, {c.dpi, c.dpi}), c.shown);
    // On a 100 % display beside a primary display at this scale: placed by
    // the system's scale, sized as designed.
    EXPECT_EQ(StoredToScreen({100, 100, 200, 80}, {c.dpi, 96}), (NoteBounds{c.shown.left, c.shown.top, 200, 80}));
    for (int display : {96, 120, 144, 192}) {
      const NoteDpi dpi{c.dpi, display};
      for (int v = -3000; v <= 3000; ++v) {
        const NoteBounds stored{v, -v, v + 7, 3 * v};
        ASSERT_EQ(ScreenToStored(StoredToScreen(stored, dpi), dpi), stored) << v << " on " << display;
      }
    }
  }
}

TEST(DpiScale, RoundingAndAbsurdValues) {
  struct Case {
    int value, dpi, scaled, back;
  } cases[] = {
      {1, 144, 2, 1},                      // 1.5 rounds away from zero
      {-1, 144, -2, -1},                   // on both sides of zero
      {3, 120, 4, 3},                      // 3.75
      {5, 0, 5, 5},                        // a DPI the system did not give counts as 96
      {5, -144, 5, 5},
      {INT_MAX, 192, INT_MAX, INT_MAX / 2 + 1},  // clamped, never wrapped
      {INT_MIN, 192, INT_MIN, INT_MIN / 2},
      {2, 72, 2, 3},                       // below 96 DPI a unit can be lost
      {1, 72, 1, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
    EXPECT_EQ(ScaleFromDpi(c.scaled, c.dpi), c.back) << c.value << " at " << c.dpi;
  }
}
