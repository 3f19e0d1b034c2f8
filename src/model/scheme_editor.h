#pragma once
// The rules of the options window's scheme editor that need no window: the
// color pickers' entries, the transparency bar and the name of a new scheme.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/color.h"

namespace wisplet {

// The named colors a color picker offers after its "Custom..." entry:
// standard, extended, system colors, then "None"; names without "cl".
struct PickerColor {
  std::string name;
  TColor value;
};
const std::vector<PickerColor>& PickerColors();
// Index in PickerColors(), or -1 for a color the list does not hold (a custom
// RGB value from the settings file).
int PickerColorIndex(TColor color);

// The name a screen reader reads for entry `entry` of a color picker: 0 is
// "Custom...", the others PickerColors()' names as the list shows them. When
// the picker holds a custom RGB color (one the list does not hold), entry 0
// also says which, as its swatch shows it: "Custom... (red 18, green 52,
// blue 86)". Empty for an entry the picker does not have.
std::string PickerEntryName(int entry, std::optional<TColor> custom = std::nullopt);

// The transparency bar has positions 0 to 9 for 0, 10, ... 90 percent; a
// stored value shows at its tens, and everything from 90 up at 9.
constexpr int kTransparencyPositions = 10;
int TransparencyPosition(std::uint8_t alphaBlendValue);
std::uint8_t AlphaBlendFromPosition(int position);

// The name "New" gives a scheme: "Scheme" and the first position i whose item
// is not "Scheme<i>", or the number of items when they all are.
std::string NewSchemeName(const std::vector<std::string>& items);

// Translucent notes need layered windows, which Windows has from version 5.0
// (Windows 2000) on; the transparency bar is offered wherever they exist.
bool TransparencyBarEnabled(unsigned major, unsigned minor);

}  // namespace wisplet
