#pragma once
// Where a new note goes: a column down from the top right corner of the
// screen, then the next column to the left, and back to the start when no
// further column fits.
#include "model/dpi_scale.h"
#include "notes/gradient.h"

namespace wisplet {

struct CascadeSlot {
  int left = 0;
  int top = 0;
};

// Advances the placement counters for a note of width x height and gives its
// position. workArea is the desktop not covered by the taskbar; screenWidth
// the primary screen's width; the margins (100 below a column, 7 between
// columns) are designed at 96 DPI and scaled for `dpi`.
CascadeSlot NextCascadeSlot(int& row, int& column, int width, int height, const Rect& workArea,
                            int screenWidth, int dpi = kDesignDpi);

}  // namespace wisplet
