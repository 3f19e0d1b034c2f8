#include "notes/gradient.h"

#include <algorithm>
#include <cstdlib>

namespace wisplet {

int MulDiv(int number, int multiplier, int divisor) {
  if (divisor == 0) return -1;
  std::int64_t product = std::int64_t(number) * multiplier;
  std::int64_t d = divisor;
  if (d < 0) {
    product = -product;
    d = -d;
  }
  // Truncating division after adding half the divisor in the result's
  // direction rounds halves away from zero.
  const std::int64_t result = product >= 0 ? (product + d / 2) / d : (product - d / 2) / d;
  if (result > 2147483647 || result < -2147483647) return -1;
  return int(result);
}

// ---------------------------------------------------------------------------
// MemorySurface

MemorySurface::MemorySurface(int width, int height, std::uint32_t background, int bitsPerPixel)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      bitsPerPixel_(bitsPerPixel),
      pixels_(std::size_t(width_) * height_, background & 0xFFFFFF) {}

void MemorySurface::SetPixel(int x, int y, std::uint32_t rgb) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[std::size_t(y) * width_ + x] = rgb & 0xFFFFFF;
}

void MemorySurface::FillRect(int left, int top, int right, int bottom, std::uint32_t rgb) {
  // GDI turns an inverted rectangle round and keeps the excluded edge on the
  // far side: (10, _, 4, _) fills columns 5..10.
  if (left > right) {
    std::swap(left, right);
    ++left;
    ++right;
  }
  if (top > bottom) {
    std::swap(top, bottom);
    ++top;
    ++bottom;
  }
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  if (left >= right) return;
  for (int y = top; y < bottom; ++y)
    std::fill(pixels_.begin() + std::ptrdiff_t(y) * width_ + left,
              pixels_.begin() + std::ptrdiff_t(y) * width_ + right, rgb & 0xFFFFFF);
}

void MemorySurface::Plot(int x, int y, std::uint32_t rgb, int penWidth) {
  if (penWidth <= 1) {
    SetPixel(x, y, rgb);
    return;
  }
  const int from = -(penWidth - 1) / 2;
  for (int dy = from; dy < from + penWidth; ++dy)
    for (int dx = from; dx < from + penWidth; ++dx) SetPixel(x + dx, y + dy, rgb);
}

void MemorySurface::Line(int x1, int y1, int x2, int y2, std::uint32_t rgb, int penWidth) {
  const int dx = x2 - x1;
  const int dy = y2 - y1;
  const int major = std::max(std::abs(dx), std::abs(dy));
  const int minor = std::min(std::abs(dx), std::abs(dy));
  if (major == 0) return;  // a line to its own start draws nothing
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int sx = dx < 0 ? -1 : 1;
  const int sy = dy < 0 ? -1 : 1;
  // Bresenham: step t along the major axis, the minor offset is t * minor /
  // major rounded. Where it falls exactly halfway GDI takes the pixel with the
  // smaller minor coordinate, in every direction.
  const bool minorRises = xMajor ? dy > 0 : dx > 0;
  const bool halfTowardStart = minorRises;
  for (int t = 0; t < major; ++t) {  // the end point is not drawn
    const std::int64_t twice = 2 * std::int64_t(t) * minor + major - (halfTowardStart ? 1 : 0);
    const int offset = int(twice / (2 * std::int64_t(major)));
    if (xMajor)
      Plot(x1 + sx * t, y1 + sy * offset, rgb, penWidth);
    else
      Plot(x1 + sx * offset, y1 + sy * t, rgb, penWidth);
  }
}

// ---------------------------------------------------------------------------
// TGradient

std::uint32_t PlainRgb(TColor color) { return color & 0xFFFFFF; }

TGradient::TGradient() = default;

void TGradient::Changed() const {
  if (onChange_) onChange_();
}

void TGradient::SetFromColor(TColor color, const ColorResolver& resolve) {
  if (color == fromColor_) return;
  fromColor_ = color;
  fromRgb_ = resolve(color) & 0xFFFFFF;
  Changed();
}

void TGradient::SetToColor(TColor color, const ColorResolver& resolve) {
  if (color == toColor_) return;
  toColor_ = color;
  toRgb_ = resolve(color) & 0xFFFFFF;
  Changed();
}

void TGradient::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  Changed();
}

void TGradient::SetOrientation(TglGradientDir orientation) {
  if (orientation == orientation_) return;
  orientation_ = orientation;
  if (active_) Changed();
}

void TGradient::SetSteps(int steps) {
  steps = std::clamp(steps, 1, 255);
  if (steps == steps_) return;
  steps_ = steps;
  Changed();
}

// ---------------------------------------------------------------------------
// GradientFill

namespace {

struct Channels {
  int r, g, b;
};

Channels Split(std::uint32_t rgb) { return {int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF)}; }

// Color of band i of n; a single band has the from-color (MulDiv by zero
// would give -1).
std::uint32_t BandColor(const Channels& from, const Channels& delta, int i, int n) {
  if (n <= 1) return Rgb(from.r, from.g, from.b);
  return Rgb(from.r + MulDiv(i, delta.r, n - 1), from.g + MulDiv(i, delta.g, n - 1),
             from.b + MulDiv(i, delta.b, n - 1));
}

void FillBands(DrawingSurface& target, const Rect& rc, TglGradientDir type, std::uint32_t fromRgb,
               std::uint32_t toRgb, int steps, int penWidth) {
  const int w = rc.right - rc.left;
  const int h = rc.bottom - rc.top;

  if (type == fgdHorzConvergent) {
    // With an odd height both halves share the middle row; the lower half,
    // painted last, gives it the to-color.
    FillBands(target, {rc.left, rc.top, rc.right, rc.bottom - h / 2}, fgdHorizontal, fromRgb, toRgb,
              steps, penWidth);
    FillBands(target, {rc.left, rc.top + h / 2, rc.right, rc.bottom}, fgdHorizontal, toRgb, fromRgb,
              steps, penWidth);
    return;
  }
  if (type == fgdVertConvergent) {
    FillBands(target, {rc.left, rc.top, rc.right - w / 2, rc.bottom}, fgdVertical, fromRgb, toRgb,
              steps, penWidth);
    FillBands(target, {rc.left + w / 2, rc.top, rc.right, rc.bottom}, fgdVertical, toRgb, fromRgb,
              steps, penWidth);
    return;
  }

  const Channels from = Split(fromRgb);
  const Channels to = Split(toRgb);
  const Channels delta{to.r - from.r, to.g - from.g, to.b - from.b};

  int n = 0;
  switch (type) {
    case fgdHorizontal: n = std::min(steps, h); break;
    case fgdVertical: n = std::min(steps, w); break;
    case fgdLeftBias:
    case fgdRightBias: n = std::min(steps, w + h); break;
    case fgdRectangle: n = std::min(steps, std::min(w / 2, h / 2)); break;
    default: return;
  }
  if (n <= 0) return;

  const int p = penWidth <= 0 ? 1 : penWidth;
  // The diagonal end points keep moving from band to band.
  int px = type == fgdLeftBias ? rc.left : rc.right;
  int py = rc.top;
  int qx = px;
  int qy = py;

  for (int i = 0; i < n; ++i) {
    const std::uint32_t color = BandColor(from, delta, i, n);
    switch (type) {
      case fgdHorizontal:
        target.FillRect(rc.left, rc.top + MulDiv(i, h, n), rc.right, rc.top + MulDiv(i + 1, h, n), color);
        break;
      case fgdVertical:
        target.FillRect(rc.left + MulDiv(i, w, n), rc.top, rc.left + MulDiv(i + 1, w, n), rc.bottom, color);
        break;
      case fgdRectangle: {
        // Each band covers its whole inner rectangle; the next one paints
        // over the middle.
        const int x = MulDiv(i, w / 2, n);
        const int y = MulDiv(i, h / 2, n);
        target.FillRect(rc.left + x, rc.top + y, rc.right - x, rc.bottom - y, color);
        break;
      }
      default: {
        const int lines = MulDiv(i + 1, w + h, n) - MulDiv(i, w + h, n);
        for (int k = 0; k < lines; ++k) {
          if (type == fgdLeftBias) {
            // P runs down the left edge then along the bottom, Q along the top
            // then down the right edge.
            if (py < rc.bottom) py += p; else px += p;
            if (qx < rc.right) qx += p; else qy += p;
          } else {
            // P runs left along the top then down the left edge, Q down the
            // right edge then left along the bottom.
            if (px > rc.left) px -= p; else py += p;
            if (qy < rc.bottom) qy += p; else qx -= p;
          }
          target.Line(px, py, qx, qy, color, p);
        }
        break;
      }
    }
  }
}

}  // namespace

void GradientFill(DrawingSurface& target, const Rect& rect, const TGradient& gradient,
                  PenStyle /*penStyle: the surface draws solid lines only*/, int penWidth) {
  if (!gradient.Active() || gradient.Steps() == 1 || target.BitsPerPixel() < 16) return;
  FillBands(target, rect, gradient.Orientation(), gradient.FromRGB(), gradient.ToRGB(), gradient.Steps(),
            penWidth);
}

}  // namespace wisplet
