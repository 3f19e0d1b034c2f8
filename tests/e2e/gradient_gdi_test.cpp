// The gradient painter through real GDI against the in-memory surface the unit
// tests rely on: both must give the same pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/win32_handles.h"
#include "base/gdi_surface.h"
#include "notes/gradient.h"

namespace {

using wisplet::GdiObject;
using wisplet::GdiSurface;
using wisplet::MemorySurface;
using wisplet::Rect;
using wisplet::TGradient;
using wisplet::TglGradientDir;

constexpr std::uint32_t kBackground = 0x00A5B6C7;

// A 32-bit top-down DIB section selected into a memory DC of its own.
class DibCanvas {
 public:
  DibCanvas(int width, int height, std::uint32_t background) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<std::uint32_t*>(bits);
    if (dc_ && bitmap_) oldBitmap_ = SelectObject(dc_, bitmap_.get());
    if (bits_) Clear(background);
  }
  ~DibCanvas() {
    if (oldBitmap_) SelectObject(dc_, oldBitmap_);
    bitmap_.reset();
    if (dc_) DeleteDC(dc_);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  bool Ok() const { return dc_ && bits_ && oldBitmap_; }
  HDC Dc() const { return dc_; }
  void Clear(std::uint32_t rgb) {
    GdiFlush();
    // DIB pixels are 0x00RRGGBB, colors 0x00BBGGRR.
    const std::uint32_t pixel = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    for (int i = 0; i < width_ * height_; ++i) bits_[i] = pixel;
  }
  std::uint32_t Pixel(int x, int y) const {
    const std::uint32_t p = bits_[y * width_ + x];
    return wisplet::Rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  GdiObject bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

std::string Hex(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%06X", unsigned(v));
  return buf;
}

// Empty when both agree, else where and how they first differ.
std::string FirstDifference(const DibCanvas& gdi, const MemorySurface& memory) {
  GdiFlush();
  int differing = 0;
  std::string first;
  for (int y = 0; y < memory.Height(); ++y)
    for (int x = 0; x < memory.Width(); ++x)
      if (gdi.Pixel(x, y) != memory.Pixel(x, y)) {
        if (differing++ == 0)
          first = "first at " + std::to_string(x) + "," + std::to_string(y) + ": GDI " + Hex(gdi.Pixel(x, y)) +
                  ", memory " + Hex(memory.Pixel(x, y));
      }
  return differing == 0 ? "" : std::to_string(differing) + " pixels differ, " + first;
}

int CountOf(const MemorySurface& s, std::uint32_t rgb, bool equal) {
  int n = 0;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) n += (s.Pixel(x, y) == rgb) == equal;
  return n;
}

}  // namespace

TEST(GradientGdi, EveryTypeMatchesTheMemorySurface) {
  struct Size {
    int w, h;
  };
  const Size sizes[] = {
      {1, 1},   {2, 3},   {3, 2},   {11, 11}, {10, 10},  {11, 10}, {300, 15}, {17, 400}, {200, 50},
      {7, 510}, {0, 10},  {10, 0},  {-5, 10}, {12, -7},  {-8, -8}, {-20, 30}, {40, -3},
  };
  struct Colors {
    std::uint32_t from, to;
  };
  const Colors colors[] = {
      {wisplet::clBlack, wisplet::clWhite},
      {wisplet::clWhite, wisplet::clBlack},
      {0x102030, 0xF0E0D0},
      {0x00FF00, 0x0000FF},
      {0x336699, 0x336699},
  };
  const int stepsList[] = {255, 7};
  constexpr int kMargin = 3;

  int cases = 0, failures = 0, painted = 0;
  for (int type = wisplet::fgdHorizontal; type <= wisplet::fgdVertConvergent; ++type)
    for (const Size& size : sizes)
      for (const Colors& c : colors)
        for (int steps : stepsList) {
          if (steps != 255 && c.from == c.to) continue;
          // Room for the area, for its mirror image where it is inverted, and
          // for anything drawn just outside it.
          const int cw = std::abs(size.w) + 2 * kMargin + 1;
          const int ch = std::abs(size.h) + 2 * kMargin + 1;
          const int left = kMargin + (size.w < 0 ? -size.w : 0);
          const int top = kMargin + (size.h < 0 ? -size.h : 0);
          const Rect rc{left, top, left + size.w, top + size.h};

          TGradient g;
          g.SetFromColor(c.from);
          g.SetToColor(c.to);
          g.SetOrientation(TglGradientDir(type));
          g.SetSteps(steps);
          g.SetActive(true);

          DibCanvas dib(cw, ch, kBackground);
          ASSERT_TRUE(dib.Ok());
          GdiSurface gdi(dib.Dc());
          wisplet::GradientFill(gdi, rc, g);
          MemorySurface memory(cw, ch, kBackground);
          wisplet::GradientFill(memory, rc, g);

          ++cases;
          if (CountOf(memory, kBackground, false) > 0) ++painted;
          const std::string diff = FirstDifference(dib, memory);
          if (!diff.empty()) {
            ++failures;
            ADD_FAILURE() << "type " << type << ", " << size.w << "x" << size.h << ", " << Hex(c.from) << " to "
                          << Hex(c.to) << ", steps " << steps << ": " << diff;
          }
        }
  std::printf("%d cases (%d painting something), %d differ\n", cases, painted, failures);
  EXPECT_EQ(failures, 0);
  // The empty and mirrored areas must not make up the whole comparison.
  EXPECT_GT(painted, cases / 2);
}

// The in-memory line, in every direction and slope around one point,
// including the halfway cases.
TEST(GradientGdi, OnePixelLinesMatchInEveryDirection) {
  constexpr int kRadius = 9;
  constexpr int kSize = 2 * kRadius + 5;
  constexpr int kCenter = kSize / 2;
  DibCanvas dib(kSize, kSize, kBackground);
  ASSERT_TRUE(dib.Ok());
  GdiSurface gdi(dib.Dc());
  int lines = 0;
  for (int dy = -kRadius; dy <= kRadius; ++dy)
    for (int dx = -kRadius; dx <= kRadius; ++dx) {
      dib.Clear(kBackground);
      MemorySurface memory(kSize, kSize, kBackground);
      gdi.Line(kCenter, kCenter, kCenter + dx, kCenter + dy, 0x0000FF, 1);
      memory.Line(kCenter, kCenter, kCenter + dx, kCenter + dy, 0x0000FF, 1);
      EXPECT_EQ(FirstDifference(dib, memory), "") << "line to " << dx << "," << dy;
      ++lines;
    }
  std::printf("%d lines compared\n", lines);
}

TEST(GradientGdi, FillRectMatchesIncludingInvertedAndClippedRectangles) {
  const Rect rects[] = {
      {2, 2, 6, 5},  {6, 2, 2, 5},   {2, 5, 6, 2},   {6, 5, 2, 2},   {4, 4, 4, 7},  {4, 4, 7, 4},
      {-3, -3, 2, 2}, {8, 8, 30, 30}, {9, 1, -4, 3}, {0, 0, 10, 10}, {5, 3, 4, 2}, {3, 9, 4, 20},
  };
  for (const Rect& r : rects) {
    DibCanvas dib(10, 10, kBackground);
    ASSERT_TRUE(dib.Ok());
    GdiSurface gdi(dib.Dc());
    MemorySurface memory(10, 10, kBackground);
    gdi.FillRect(r.left, r.top, r.right, r.bottom, 0x123456);
    memory.FillRect(r.left, r.top, r.right, r.bottom, 0x123456);
    EXPECT_EQ(FirstDifference(dib, memory), "") << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
}

// INT_MIN is left out: Wine negates it in 32 bits and answers, for example,
// MulDiv(1, INT_MIN, INT_MIN) = 0; ours gives the exact 1.
TEST(GradientGdi, MulDivMatchesThePlatform) {
  const int values[] = {0,  1,   -1,  2,   -2,   3,    -3,   4,     -4,          5,
                        7,  -7,  127, 128, 255,  -255, 1000, 4096,  65535,       -65536,
                        INT_MAX,  INT_MAX - 1,  INT_MIN + 1,  46341, -46341, 1 << 30, -(1 << 30)};
  int compared = 0;
  for (int a : values)
    for (int b : values)
      for (int d : values) {
        EXPECT_EQ(wisplet::MulDiv(a, b, d), ::MulDiv(a, b, d)) << a << " * " << b << " / " << d;
        ++compared;
      }
  std::printf("%d MulDiv calls compared\n", compared);
}

TEST(GradientGdi, LeavesTheDcWithItsOwnPenAndBrush) {
  DibCanvas dib(40, 30, kBackground);
  ASSERT_TRUE(dib.Ok());
  const HGDIOBJ pen = GetCurrentObject(dib.Dc(), OBJ_PEN);
  const HGDIOBJ brush = GetCurrentObject(dib.Dc(), OBJ_BRUSH);
  GdiSurface gdi(dib.Dc());
  for (int type = wisplet::fgdHorizontal; type <= wisplet::fgdVertConvergent; ++type) {
    TGradient g;
    g.SetFromColor(0x203040);
    g.SetToColor(0xC0B0A0);
    g.SetOrientation(TglGradientDir(type));
    g.SetActive(true);
    wisplet::GradientFill(gdi, {0, 0, 40, 30}, g, wisplet::PenStyle::Solid, type == wisplet::fgdLeftBias ? 3 : 1);
    EXPECT_EQ(GetCurrentObject(dib.Dc(), OBJ_PEN), pen) << "type " << type;
    EXPECT_EQ(GetCurrentObject(dib.Dc(), OBJ_BRUSH), brush) << "type " << type;
  }
  // Something was painted, or the checks above would prove nothing.
  GdiFlush();
  EXPECT_NE(dib.Pixel(0, 29), kBackground);
}

TEST(GradientGdi, ResolvesSystemColorsThroughThePlatform) {
  const std::uint32_t window = GetSysColor(COLOR_WINDOW) & 0xFFFFFF;
  const std::uint32_t highlight = GetSysColor(COLOR_HIGHLIGHT) & 0xFFFFFF;
  ASSERT_NE(window, highlight);
  EXPECT_EQ(wisplet::ResolveColor(wisplet::clWindow), window);
  EXPECT_EQ(wisplet::ResolveColor(wisplet::clHighlight), highlight);
  EXPECT_EQ(wisplet::ResolveColor(wisplet::clSkyBlue), wisplet::clSkyBlue);
  TGradient g;
  g.SetFromColor(wisplet::clWindow, wisplet::ResolveColor);
  EXPECT_EQ(g.FromRGB(), window);
}
