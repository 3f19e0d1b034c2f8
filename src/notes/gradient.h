#pragma once
// Gradient fills of a note's title bar and text area. The fill draws through a
// small surface interface so that the same code paints with GDI in the program
// and into memory in the tests, pixel for pixel alike.
#include <cstdint>
#include <functional>
#include <vector>

#include "model/color.h"
#include "model/scheme.h"
#include "model/surface.h"

namespace wisplet {

// Windows' multiply-then-divide: 64-bit intermediate, rounded to the nearest
// integer with halves away from zero; -1 for a zero divisor or a result
// outside -2147483647..2147483647.
int MulDiv(int number, int multiplier, int divisor);

// 32-bit pixels in memory, drawn by the rules GDI follows for FillRect and for
// one-pixel solid pens, so that tests see what the screen would show.
class MemorySurface : public DrawingSurface {
 public:
  MemorySurface(int width, int height, std::uint32_t background = 0, int bitsPerPixel = 32);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // 0x00BBGGRR; the coordinates must lie inside the surface.
  std::uint32_t Pixel(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }
  void SetPixel(int x, int y, std::uint32_t rgb);

  void FillRect(int left, int top, int right, int bottom, std::uint32_t rgb) override;
  // Exact for a pen width of 1; a wider pen is approximated by a square of
  // that size around every pixel of the thin line.
  void Line(int x1, int y1, int x2, int y2, std::uint32_t rgb, int penWidth) override;
  int BitsPerPixel() const override { return bitsPerPixel_; }

 private:
  void Plot(int x, int y, std::uint32_t rgb, int penWidth);

  int width_;
  int height_;
  int bitsPerPixel_;
  std::vector<std::uint32_t> pixels_;
};

// Turns a color as the settings store it into RGB (a system color needs the
// platform for that).
using ColorResolver = std::function<std::uint32_t(TColor)>;

// The low 24 bits as they are: right for every RGB color, wrong for system
// colors, which the program resolves through the platform instead.
std::uint32_t PlainRgb(TColor color);

// The settings of one fill. A color is turned into RGB when it is assigned,
// so that a later change of a system color does not show until it is set again.
class TGradient {
 public:
  TGradient();

  TColor FromColor() const { return fromColor_; }
  TColor ToColor() const { return toColor_; }
  std::uint32_t FromRGB() const { return fromRgb_; }
  std::uint32_t ToRGB() const { return toRgb_; }
  bool Active() const { return active_; }
  TglGradientDir Orientation() const { return orientation_; }
  int Steps() const { return steps_; }

  // Every setter ignores a value equal to the current one; a real change calls
  // the change callback afterwards (for the orientation only while active,
  // since an inactive fill looks the same whatever its type).
  void SetFromColor(TColor color, const ColorResolver& resolve = PlainRgb);
  void SetToColor(TColor color, const ColorResolver& resolve = PlainRgb);
  void SetActive(bool active);
  void SetOrientation(TglGradientDir orientation);
  // Kept within 1..255.
  void SetSteps(int steps);
  void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

 private:
  void Changed() const;

  TColor fromColor_ = 0x808080;
  TColor toColor_ = clBlack;
  std::uint32_t fromRgb_ = 0x808080;
  std::uint32_t toRgb_ = 0;
  bool active_ = false;
  TglGradientDir orientation_ = fgdHorizontal;
  int steps_ = 255;
  std::function<void()> onChange_;
};

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear, InsideFrame };

// Paints the gradient over rect (right and bottom exclusive) with at most
// Steps bands. Nothing is painted when the gradient is inactive, has one step,
// or the surface has fewer than 16 bits per pixel, nor for a type outside 0..6.
// The diagonal types draw solid lines whatever penStyle says; a pen width of 0
// or less counts as 1. LeftBias lines that start on the bottom edge also paint
// the row just below rect, so the caller clips the surface to rect.
void GradientFill(DrawingSurface& target, const Rect& rect, const TGradient& gradient,
                  PenStyle penStyle = PenStyle::Solid, int penWidth = 1);

}  // namespace wisplet
