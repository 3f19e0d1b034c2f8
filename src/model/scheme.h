#pragma once
// Color schemes: the values a note is painted with, and the user's list of them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/color.h"

namespace wisplet {

// Gradient type of a painted area: 0 to 6 the painter's directions, 7 none.
enum TglGradientDir : std::uint8_t {
  fgdHorizontal = 0,
  fgdVertical = 1,
  fgdLeftBias = 2,
  fgdRightBias = 3,
  fgdRectangle = 4,
  fgdHorzConvergent = 5,
  fgdVertConvergent = 6,
  fgdNone = 7,
};

struct TColorScheme {
  std::string Name;
  TColor TitleColor = 0;
  TColor TitleGradColor = 0;
  TColor TitleFontColor = 0;
  std::uint8_t TitleGradType = 0;
  TColor MemoColor = 0;
  TColor MemoGradColor = 0;
  TColor MemoFontColor = 0;
  std::uint8_t MemoGradType = 0;
  std::uint8_t AlphaBlendValue = 0;  // translucency in percent, 0 opaque

  bool operator==(const TColorScheme&) const = default;
};

// The built-in scheme named "Default" that new notes get until another is chosen.
TColorScheme DefaultScheme();

using TListColorScheme = std::vector<TColorScheme>;

void AddScheme(TListColorScheme& list, const TColorScheme& scheme);
// Removes the first scheme whose Name equals scheme.Name (case-sensitive);
// when several share the name, the first goes whichever was passed.
void DeleteScheme(TListColorScheme& list, const TColorScheme& scheme);
// Removes the entry at `index`, whatever its name; nothing beyond the end.
void DeleteScheme(TListColorScheme& list, std::size_t index);

}  // namespace wisplet
