#include "model/color.h"

#include <array>
#include <cstdio>

#include "model/ascii.h"
#include "model/errors.h"

namespace wisplet {
namespace {

struct NamedColor {
  const char* name;
  TColor value;
};

constexpr TColor Sys(int index) { return kSystemColorFlag | TColor(index); }

constexpr std::array<NamedColor, 49> kNamedColors = {{
    {"clBlack", 0x000000},      {"clMaroon", 0x000080},       {"clGreen", 0x008000},
    {"clOlive", 0x008080},      {"clNavy", 0x800000},         {"clPurple", 0x800080},
    {"clTeal", 0x808000},       {"clGray", 0x808080},         {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},        {"clLime", 0x00FF00},         {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},       {"clFuchsia", 0xFF00FF},      {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},      {"clMoneyGreen", 0xC0DCC0},   {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},      {"clMedGray", 0xA4A0A0},      {"clNone", clNone},
    {"clDefault", clDefault},   {"clScrollBar", Sys(0)},      {"clBackground", Sys(1)},
    {"clActiveCaption", Sys(2)}, {"clInactiveCaption", Sys(3)}, {"clMenu", Sys(4)},
    {"clWindow", Sys(5)},       {"clWindowFrame", Sys(6)},    {"clMenuText", Sys(7)},
    {"clWindowText", Sys(8)},   {"clCaptionText", Sys(9)},    {"clActiveBorder", Sys(10)},
    {"clInactiveBorder", Sys(11)}, {"clAppWorkSpace", Sys(12)}, {"clHighlight", Sys(13)},
    {"clHighlightText", Sys(14)}, {"clBtnFace", Sys(15)},      {"clBtnShadow", Sys(16)},
    {"clGrayText", Sys(17)},    {"clBtnText", Sys(18)},       {"clInactiveCaptionText", Sys(19)},
    {"clBtnHighlight", Sys(20)}, {"cl3DDkShadow", Sys(21)},    {"cl3DLight", Sys(22)},
    {"clInfoText", Sys(23)},    {"clInfoBk", Sys(24)},        {"clGradientActiveCaption", Sys(27)},
    {"clGradientInactiveCaption", Sys(28)},
}};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string ColorToText(TColor color) {
  for (const auto& named : kNamedColors)
    if (named.value == color) return named.name;
  if (kPlatformHasHotLight && color == clHotLight) return "clHotLight";
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<unsigned>(color));
  return buffer;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  text.remove_prefix(i);
  if (text.empty()) return std::nullopt;

  size_t hexStart = 0;
  if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') {
    hexStart = 1;
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hexStart = 2;
  }
  if (hexStart > 0) {
    std::string_view digits = text.substr(hexStart);
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
      int d = HexDigit(c);
      if (d < 0) return std::nullopt;
      value = value * 16 + std::uint32_t(d);
    }
    return static_cast<std::int32_t>(value);
  }

  bool negative = false;
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::optional<TColor> TryTextToColor(std::string_view text) {
  if (EqualsNoCase(text, "clHotLight")) return kPlatformHasHotLight ? clHotLight : clHighlight;
  for (const auto& named : kNamedColors)
    if (EqualsNoCase(text, named.name)) return named.value;
  if (auto value = ParseInteger(text)) return static_cast<TColor>(*value);
  return std::nullopt;
}

TColor TextToColor(std::string_view text) {
  if (auto color = TryTextToColor(text)) return *color;
  throw Error(FormatMessage1("'%s' is not a valid integer value", std::string(text)));
}

}  // namespace wisplet
