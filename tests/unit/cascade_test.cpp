#include "notes/cascade.h"

#include <gtest/gtest.h>

using namespace wisplet;

TEST(Cascade, FillsColumnsFromTheTopRightAndWraps) {
  // 1024 x 768 screen, work area 1024 x 738, notes of 200 x 50.
  const Rect area{0, 0, 1024, 738};
  int row = 0, column = 0;
  std::vector<CascadeSlot> slots;
  for (int i = 0; i < 50; ++i) slots.push_back(NextCascadeSlot(row, column, 200, 50, area, 1024));
  struct Case {
    int index, left, top;
  } cases[] = {
      {0, 824, 0},   {1, 824, 50},  {11, 824, 550},  // twelve in the first column
      {12, 624, 0},  {13, 624, 50}, {23, 624, 550},  // (12 + 1) x 50 + 100 reaches 738
      {24, 424, 0},  {36, 224, 0},  {47, 224, 550},  // four columns fit: 4 x 207 = 828
      {48, 824, 0},  {49, 824, 50},                 // a fifth would not: back to the start
  };
  for (const auto& c : cases) {
    EXPECT_EQ(slots[c.index].left, c.left) << c.index;
    EXPECT_EQ(slots[c.index].top, c.top) << c.index;
  }
}

TEST(Cascade, EachNoteIsPlacedByItsOwnSize) {
  const Rect area{0, 0, 1024, 748};
  int row = 0, column = 0;
  EXPECT_EQ(NextCascadeSlot(row, column, 200, 50, area, 1024).top, 0);
  CascadeSlot tall = NextCascadeSlot(row, column, 300, 120, area, 1024);
  EXPECT_EQ(tall.top, 120);  // its own height times the row
  EXPECT_EQ(tall.left, 724);
  // A note taller than the work area starts a new column at once, and one
  // wider than the work area sends placement back to the start.
  row = 3;
  column = 0;
  CascadeSlot huge = NextCascadeSlot(row, column, 200, 5000, area, 1024);
  EXPECT_EQ(huge.top, 0);
  EXPECT_EQ(huge.left, 624);
  CascadeSlot wide = NextCascadeSlot(row, column, 2000, 50, area, 1024);
  EXPECT_EQ(wide.left, 1024 - 2000);
  EXPECT_EQ(wide.top, 0);
  EXPECT_EQ(column, 0);
}
