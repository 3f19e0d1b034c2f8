#include "model/scheme.h"

#include <gtest/gtest.h>

using namespace wisplet;

namespace {
TColorScheme Named(const std::string& name, TColor title = 0) {
  TColorScheme s;
  s.Name = name;
  s.TitleColor = title;
  return s;
}
std::vector<std::string> Names(const TListColorScheme& list) {
  std::vector<std::string> names;
  for (const auto& s : list) names.push_back(s.Name);
  return names;
}
}  // namespace

TEST(DefaultScheme, HasTheBuiltInValues) {
  TColorScheme s = DefaultScheme();
  EXPECT_EQ(s.Name, "Default");
  EXPECT_EQ(s.AlphaBlendValue, 0);
  EXPECT_EQ(s.TitleColor, 0x80000005u);
  EXPECT_EQ(s.TitleGradColor, 0x00F0CAA6u);
  EXPECT_EQ(s.TitleFontColor, 0x00800000u);
  EXPECT_EQ(s.TitleGradType, 0);
  EXPECT_EQ(s.MemoColor, 0x00FFFFFFu);
  EXPECT_EQ(s.MemoGradColor, 0x00F0CAA6u);
  EXPECT_EQ(s.MemoFontColor, 0x00000000u);
  EXPECT_EQ(s.MemoGradType, 0);
}

TEST(DeleteScheme, RemovesTheFirstOfTheSameName) {
  TListColorScheme list = {Named("A", 1), Named("B", 2), Named("A", 3)};
  DeleteScheme(list, list[2]);  // an element of the list itself
  EXPECT_EQ(Names(list), (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(list[1].TitleColor, 3u);
}

TEST(DeleteScheme, IsCaseSensitiveAndLeavesOthers) {
  TListColorScheme list = {Named("a"), Named("A"), Named("B")};
  DeleteScheme(list, Named("A"));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "B"}));
  DeleteScheme(list, Named("missing"));
  EXPECT_EQ(list.size(), 2u);
  DeleteScheme(list, Named("B"));
  DeleteScheme(list, Named("a"));
  EXPECT_TRUE(list.empty());
}

// The scheme editor's "Delete": the entry selected goes, even when a newer
// entry (made by "New" from the current scheme) shares an older one's name.
TEST(DeleteScheme, ByPositionRemovesThatEntryWhateverItsName) {
  struct Case {
    const char* what;
    std::size_t index;
    std::vector<TColor> left;  // title colors of the entries left
  } cases[] = {
      {"the newest of two of a name", 2, {1, 2}},
      {"the older of two of a name", 0, {2, 3}},
      {"the one between", 1, {1, 3}},
      {"past the end: nothing", 3, {1, 2, 3}},
  };
  for (const auto& c : cases) {
    TListColorScheme list = {Named("Default", 1), Named("Blue", 2), Named("Default", 3)};
    DeleteScheme(list, c.index);
    std::vector<TColor> left;
    for (const auto& s : list) left.push_back(s.TitleColor);
    EXPECT_EQ(left, c.left) << c.what;
  }
}

TEST(AddScheme, StoresACopy) {
  TListColorScheme list;
  TColorScheme mine = Named("Mine", 7);
  AddScheme(list, mine);
  list[0].Name = "Changed";
  list[0].TitleColor = 9;
  EXPECT_EQ(mine.Name, "Mine");
  EXPECT_EQ(mine.TitleColor, 7u);
  mine.Name = "Again";
  EXPECT_EQ(list[0].Name, "Changed");
}
