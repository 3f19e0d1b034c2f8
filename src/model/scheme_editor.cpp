#include "model/scheme_editor.h"

#include <algorithm>

namespace wisplet {

const std::vector<PickerColor>& PickerColors() {
  static const std::vector<PickerColor> colors = [] {
    std::vector<TColor> values = {
        // standard
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080, 0xC0C0C0,
        0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
        // extended
        0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0};
    // system colors, in the order of their indexes
    for (TColor index : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 10u, 11u, 12u, 13u, 14u, 15u, 16u,
                         17u, 18u, 19u, 20u, 21u, 22u, 23u, 24u, 26u, 27u, 28u})
      if (index != 26 || kPlatformHasHotLight) values.push_back(kSystemColorFlag | index);
    values.push_back(clNone);
    std::vector<PickerColor> out;
    for (TColor v : values) out.push_back({ColorToText(v).substr(2), v});  // without "cl"
    return out;
  }();
  return colors;
}

int PickerColorIndex(TColor color) {
  const auto& colors = PickerColors();
  auto it = std::find_if(colors.begin(), colors.end(), [&](const PickerColor& c) { return c.value == color; });
  return it == colors.end() ? -1 : static_cast<int>(it - colors.begin());
}

std::string PickerEntryName(int entry, std::optional<TColor> custom) {
  const auto& colors = PickerColors();
  if (entry < 0 || entry > static_cast<int>(colors.size())) return "";
  if (entry > 0) return colors[static_cast<std::size_t>(entry - 1)].name;
  if (!custom || (*custom & 0xFF000000u) != 0 || PickerColorIndex(*custom) >= 0) return "Custom...";
  return "Custom... (red " + std::to_string(RedOf(*custom)) + ", green " + std::to_string(GreenOf(*custom)) +
         ", blue " + std::to_string(BlueOf(*custom)) + ")";
}

int TransparencyPosition(std::uint8_t alphaBlendValue) {
  return std::min(alphaBlendValue / 10, kTransparencyPositions - 1);
}

std::uint8_t AlphaBlendFromPosition(int position) {
  return static_cast<std::uint8_t>(std::clamp(position, 0, kTransparencyPositions - 1) * 10);
}

std::string NewSchemeName(const std::vector<std::string>& items) {
  std::size_t i = 0;
  while (i < items.size() && items[i] == "Scheme" + std::to_string(i)) ++i;
  return "Scheme" + std::to_string(i);
}

bool TransparencyBarEnabled(unsigned major, unsigned /*minor*/) { return major >= 5; }

}  // namespace wisplet
