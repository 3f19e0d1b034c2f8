#include "model/color.h"

#include <gtest/gtest.h>

#include "model/errors.h"

using namespace wisplet;

TEST(ColorToText, NamesHotLightAndHex) {
  struct Case {
    TColor color;
    const char* text;
  } cases[] = {
      {0x00F0CAA6, "clSkyBlue"},   {0x80000005, "clWindow"},     {0x1FFFFFFF, "clNone"},
      {0x8000001A, "clHotLight"},  {0x00DCDCDC, "$00DCDCDC"},    {0x00000000, "clBlack"},
      {0x20000000, "clDefault"},   {0x8000001C, "clGradientInactiveCaption"},
      {0x80000019, "$80000019"},   {0xFFFFFFFF, "$FFFFFFFF"},    {0x00000001, "$00000001"},
      {0x00FFFFFF, "clWhite"},     {0x80000015, "cl3DDkShadow"},
  };
  for (const auto& c : cases) EXPECT_EQ(ColorToText(c.color), c.text) << std::hex << c.color;
}

TEST(TextToColor, AcceptedForms) {
  struct Case {
    const char* text;
    TColor color;
  } cases[] = {
      {"CLSKYBLUE", 0x00F0CAA6}, {"clskyblue", 0x00F0CAA6}, {"$00F0CAA6", 0x00F0CAA6},
      {"0xF0CAA6", 0x00F0CAA6},  {"0XF0caa6", 0x00F0CAA6},  {"xf0caa6", 0x00F0CAA6},
      {"Xf0caa6", 0x00F0CAA6},   {"15780518", 0x00F0CAA6},  {" 15780518", 0x00F0CAA6},
      {"   $FF", 0xFF},          {"-1", 0xFFFFFFFF},        {"+12", 12},
      {"clHotLight", 0x8000001A}, {"CLHOTLIGHT", 0x8000001A}, {"$80000005", 0x80000005},
      {"2147483647", 0x7FFFFFFF}, {"-2147483648", 0x80000000}, {"$FFFFFFFF", 0xFFFFFFFF},
      {"0000000000000015", 15},  {"$1", 1},                 {"clNone", 0x1FFFFFFF},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToColor(c.text), c.color) << c.text;
}

TEST(TextToColor, RejectedFormsRaiseTheConversionError) {
  const char* cases[] = {"",          "1,2,3",       "-$10",       "$123456789", "12 ",
                         "$",         "0x",          "+",          "-",          "2147483648",
                         "-2147483649", "+$10",      "-0x10",      "clSkyBlu",   "12a",
                         "$FG",       "\t12",        "1 2"};
  for (const char* text : cases) {
    EXPECT_FALSE(TryTextToColor(text).has_value()) << text;
    try {
      TextToColor(text);
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

TEST(ColorText, EveryProducedTextReadsBack) {
  const TColor values[] = {0, 1, 0x00F0CAA6, 0x00123456, 0x80000000, 0x80000018, 0x8000001A,
                           0x8000001B, 0x1FFFFFFF, 0x20000000, 0xFFFFFFFF, 0x7FFFFFFF};
  for (TColor v : values) EXPECT_EQ(TextToColor(ColorToText(v)), v) << ColorToText(v);
  for (int i = 0; i <= 28; ++i) {
    TColor v = kSystemColorFlag | TColor(i);
    EXPECT_EQ(TextToColor(ColorToText(v)), v);
  }
}
