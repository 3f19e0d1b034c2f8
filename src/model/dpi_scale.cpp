#include "model/dpi_scale.h"

#include <algorithm>
#include <limits>

namespace wisplet {
namespace {

int Usable(int dpi) { return dpi > 0 ? dpi : kDesignDpi; }

// value * by / over, to the nearest integer with halves away from zero, kept
// within the range of int (over > 0).
int MulDivRound(int value, int by, int over) {
  const long long product = static_cast<long long>(value) * by;
  const long long half = over / 2;
  const long long q = product >= 0 ? (product + half) / over : -((-product + half) / over);
  return static_cast<int>(
      std::clamp<long long>(q, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

int ScaleToDpi(int designPixels, int dpi) { return MulDivRound(designPixels, Usable(dpi), kDesignDpi); }

int ScaleFromDpi(int pixels, int dpi) { return MulDivRound(pixels, kDesignDpi, Usable(dpi)); }

NoteBounds StoredToScreen(const NoteBounds& s, NoteDpi dpi) {
  return {ScaleToDpi(s.left, dpi.system), ScaleToDpi(s.top, dpi.system), ScaleToDpi(s.width, dpi.display),
          ScaleToDpi(s.height, dpi.display)};
}

NoteBounds ScreenToStored(const NoteBounds& s, NoteDpi dpi) {
  return {ScaleFromDpi(s.left, dpi.system), ScaleFromDpi(s.top, dpi.system), ScaleFromDpi(s.width, dpi.display),
          ScaleFromDpi(s.height, dpi.display)};
}

}  // namespace wisplet
