#include "notes/cascade.h"

namespace wisplet {

CascadeSlot NextCascadeSlot(int& row, int& column, int width, int height, const Rect& workArea,
                            int screenWidth, int dpi) {
  const int areaHeight = workArea.bottom - workArea.top;
  const int areaWidth = workArea.right - workArea.left;
  // 64-bit so that absurd note sizes cannot overflow the tests.
  if ((static_cast<long long>(row) + 1) * height + ScaleToDpi(100, dpi) >= areaHeight) {
    row = 0;
    ++column;
  }
  if (areaWidth - (static_cast<long long>(column) + 1) * (width + ScaleToDpi(7, dpi)) <= 1) {
    row = 0;
    column = 0;
  }
  CascadeSlot slot{screenWidth - (column + 1) * width, height * row};
  ++row;
  return slot;
}

}  // namespace wisplet
