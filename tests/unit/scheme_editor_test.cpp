// The scheme editor's rules: the name of a new scheme, the transparency bar,
// the color pickers' entries and where the bar is offered.
#include <gtest/gtest.h>

#include "model/anchors.h"
#include "model/scheme.h"
#include "model/scheme_editor.h"

using namespace wisplet;

TEST(SchemeEditor, NewSchemeNames) {
  struct Case {
    std::vector<std::string> items;
    std::string name;
  } cases[] = {
      {{}, "Scheme0"},
      {{"Scheme0", "Scheme1"}, "Scheme2"},
      {{"Scheme0", "Blue"}, "Scheme1"},
      {{"Blue", "Scheme0"}, "Scheme0"},  // a second "Scheme0"
      {{"scheme0"}, "Scheme0"},          // compared with case
      {{"Scheme0", "Scheme2"}, "Scheme1"},
      {{"Scheme00"}, "Scheme0"},
  };
  for (const Case& c : cases) EXPECT_EQ(NewSchemeName(c.items), c.name) << ::testing::PrintToString(c.items);
}

TEST(SchemeEditor, TransparencyPositionsBothWays) {
  struct Case {
    int stored, position, storedBack;
  } cases[] = {{0, 0, 0}, {9, 0, 0}, {10, 1, 10}, {35, 3, 30}, {89, 8, 80}, {90, 9, 90}, {100, 9, 90}, {255, 9, 90}};
  for (const Case& c : cases) {
    EXPECT_EQ(TransparencyPosition(static_cast<std::uint8_t>(c.stored)), c.position) << c.stored;
    EXPECT_EQ(AlphaBlendFromPosition(c.position), c.storedBack) << c.stored;
  }
  EXPECT_EQ(AlphaBlendFromPosition(-1), 0);
  EXPECT_EQ(AlphaBlendFromPosition(10), 90);
}

TEST(SchemeEditor, PickerEntries) {
  const auto& colors = PickerColors();
  ASSERT_FALSE(colors.empty());
  EXPECT_EQ(colors.front().name, "Black");
  EXPECT_EQ(colors.back().name, "None");
  EXPECT_EQ(colors.back().value, clNone);
  for (const PickerColor& c : colors) {
    EXPECT_NE(c.name.substr(0, 2), "cl") << c.name;
    EXPECT_NE(c.value, clDefault);
    EXPECT_EQ(colors[static_cast<std::size_t>(PickerColorIndex(c.value))].name, c.name);
  }
  EXPECT_EQ(colors[static_cast<std::size_t>(PickerColorIndex(clSkyBlue))].name, "SkyBlue");
  EXPECT_EQ(colors[static_cast<std::size_t>(PickerColorIndex(clHotLight))].name, "HotLight");
  EXPECT_EQ(PickerColorIndex(0x00123456), -1);  // a custom color from the file
}

TEST(SchemeEditor, TransparencyBarWhereverNotesCanBeTranslucent) {
  EXPECT_FALSE(TransparencyBarEnabled(4, 0));
  EXPECT_TRUE(TransparencyBarEnabled(5, 0));
  EXPECT_TRUE(TransparencyBarEnabled(5, 1));
  EXPECT_TRUE(TransparencyBarEnabled(6, 1));
  EXPECT_TRUE(TransparencyBarEnabled(10, 0));
}

TEST(SchemeEditor, DeletingOneOfTwoEqualNamesTakesTheFirst) {
  TColorScheme a{"A"}, b{"B"}, a2{"A"};
  a2.TitleColor = 0x123456;
  TListColorScheme list{a, b, a2};
  DeleteScheme(list, list[2]);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].Name, "B");
  EXPECT_EQ(list[1].TitleColor, 0x123456u);  // the one chosen stays with its colors
}

TEST(Anchors, ControlsFollowTheirEdges) {
  const Rect design{10, 20, 110, 40};  // in a 200 x 100 client area
  struct Case {
    unsigned anchors;
    Rect placed;
  } cases[] = {
      {AnchorLeft | AnchorTop, {10, 20, 110, 40}},
      {AnchorRight | AnchorBottom, {60, 70, 160, 90}},
      {AnchorLeft | AnchorRight | AnchorTop, {10, 20, 160, 40}},
      {AnchorLeft | AnchorTop | AnchorRight | AnchorBottom, {10, 20, 160, 90}},
  };
  for (const Case& c : cases) EXPECT_EQ(PlaceAnchored(design, c.anchors, 200, 100, 250, 150), c.placed);
  // A stretched control never gets a negative size.
  EXPECT_EQ(PlaceAnchored(design, AnchorLeft | AnchorRight, 200, 100, 50, 100), (Rect{10, 20, 10, 40}));
}

TEST(SchemeEditor, PickerEntriesAsAScreenReaderReadsThem) {
  const int count = static_cast<int>(PickerColors().size());
  struct Case {
    int entry;
    std::optional<TColor> custom;
    std::string name;
  } cases[] = {
      {0, std::nullopt, "Custom..."}, {0, Rgb(18, 52, 86), "Custom... (red 18, green 52, blue 86)"},
      {0, clSkyBlue, "Custom..."} /* listed */, {0, 0x12345678, "Custom..."} /* not RGB */, {1, Rgb(1, 2, 3), "Black"},
      {count, std::nullopt, "None"}, {count + 1, std::nullopt, ""}, {-1, std::nullopt, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PickerEntryName(c.entry, c.custom), c.name) << c.entry;
}
