#pragma once
// The gradient painter's drawing surface on a GDI device context.
#include <windows.h>

#include <cstdint>

#include "model/color.h"
#include "model/surface.h"

namespace wisplet {

// Draws on a device context the caller owns. Every brush and pen is created
// for one call and deleted before it returns, with the DC's own objects
// selected back.
class GdiSurface : public DrawingSurface {
 public:
  explicit GdiSurface(HDC dc) : dc_(dc) {}

  void FillRect(int left, int top, int right, int bottom, std::uint32_t rgb) override;
  void Line(int x1, int y1, int x2, int y2, std::uint32_t rgb, int penWidth) override;
  int BitsPerPixel() const override;

 private:
  HDC dc_;
};

// Resolves a system color through GetSysColor; any other color is its RGB.
// Meant as the resolver a gradient's colors are assigned with.
std::uint32_t ResolveColor(TColor color);

}  // namespace wisplet
