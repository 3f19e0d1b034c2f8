#pragma once
// Rectangles and the small drawing interface the painters work through, so
// that the same code paints with GDI in the program and into memory in tests.
#include <cstdint>

namespace wisplet {

// A rectangle in surface or screen coordinates; right and bottom are exclusive.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const Rect&) const = default;
};

// What a fill needs of a device. Colors are 0x00BBGGRR.
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  // Solid rectangle, right and bottom excluded (an inverted rectangle as GDI
  // takes it).
  virtual void FillRect(int left, int top, int right, int bottom, std::uint32_t rgb) = 0;
  // Solid pen line from (x1, y1) to (x2, y2) without its end point.
  virtual void Line(int x1, int y1, int x2, int y2, std::uint32_t rgb, int penWidth) = 0;
  virtual int BitsPerPixel() const = 0;
};

}  // namespace wisplet
