#pragma once
// Color values as the settings file stores them: 0x00BBGGRR for RGB, 0x80000000
// plus an index for a system color, and the no-color value.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wisplet {

using TColor = std::uint32_t;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor kSystemColorFlag = 0x80000000;

constexpr TColor clBlack = 0x000000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clWindow = kSystemColorFlag | 5;
constexpr TColor clHighlight = kSystemColorFlag | 13;
constexpr TColor clHotLight = kSystemColorFlag | 26;

constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == kSystemColorFlag; }
constexpr std::uint8_t RedOf(TColor c) { return c & 0xFF; }
constexpr std::uint8_t GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr std::uint8_t BlueOf(TColor c) { return (c >> 16) & 0xFF; }
constexpr TColor Rgb(int r, int g, int b) {
  return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}

// Every Windows version the program runs on has the hot-light system color.
constexpr bool kPlatformHasHotLight = true;

// The name of a named color, or "$" and eight upper-case hex digits.
std::string ColorToText(TColor color);

// A color name (any case) or a 32-bit integer; throws Error
// "'<text>' is not a valid integer value" on anything else.
TColor TextToColor(std::string_view text);
std::optional<TColor> TryTextToColor(std::string_view text);

// The integer form shared by colors and the settings file: leading spaces,
// then a signed decimal within 32 bits, or "$", "x", "X", "0x", "0X" and one to
// eight hex digits. Nothing may follow.
std::optional<std::int32_t> ParseInteger(std::string_view text);

}  // namespace wisplet
