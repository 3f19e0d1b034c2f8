// The canvas and the shared strokes of draw_images.cpp: colours by letter,
// a picture with transparency, outlined shapes and drop shadows.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace art {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
  friend bool operator<(const Rgb& a, const Rgb& b) {
    return std::tie(a.r, a.g, a.b) < std::tie(b.r, b.g, b.b);
  }
};

// The scale steps the pictures are drawn for: 0 = 100 %, 1 = 125 %, 2 = 150 %,
// 3 = 200 %. The sides of the pictures that are 16 pixels wide at 100 %, and
// the width of their outlines:
constexpr int kSteps = 4;
constexpr int kSmallSide[kSteps] = {16, 20, 24, 32};
constexpr int kSmallLine[kSteps] = {1, 1, 1, 2};

inline constexpr Rgb kWhiteKey{255, 255, 255};
inline constexpr Rgb kMagentaKey{255, 0, 255};
inline constexpr Rgb kShadow{128, 128, 128};

// The letters used in the pixel maps. '.' leaves a pixel untouched.
inline Rgb colour_of(char c) {
  switch (c) {
    case 'K': return {32, 32, 32};      // outline, near black
    case 'D': return {72, 72, 72};      // dark grey
    case 'G': return {120, 120, 120};   // grey
    case 'L': return {176, 176, 176};   // light grey
    case 'S': return {216, 216, 216};   // silver
    case 'W': return {248, 248, 248};   // almost white (never the glyph key)
    case 'r': return {214, 40, 40};     // pin red
    case 'R': return {128, 16, 16};     // dark red
    case 'p': return {255, 150, 140};   // red highlight
    case 'y': return {255, 232, 110};   // note yellow
    case 'Y': return {232, 196, 60};    // note yellow, shaded (fold, top strip)
    case 'o': return {150, 108, 16};    // note outline, dark gold
    case 't': return {120, 104, 72};    // text lines on a note
    case 'g': return {56, 168, 64};     // green
    case 'n': return {24, 96, 32};      // dark green
    case 'b': return {48, 112, 208};    // blue
    case 'c': return {112, 168, 240};   // light blue
    case 'B': return {16, 48, 128};     // dark blue
    case 'a': return {0, 150, 150};     // teal
    case 'A': return {0, 84, 92};       // dark teal
    case 'e': return {96, 200, 200};    // light teal
    case 'h': return {214, 174, 116};   // palette wood
    case 'H': return {118, 78, 36};     // palette wood, outline
    default: throw std::runtime_error(std::string("no colour for '") + c + "'");
  }
}

// A picture; pixels that were never painted are transparent (alpha 0).
class Image {
 public:
  explicit Image(int size) : Image(size, size) {}
  Image(int width, int height) : w_(width), h_(height), alpha_(width * height, 0), px_(width * height) {}

  int width() const { return w_; }
  int height() const { return h_; }
  int size() const { return w_; }  // of a square picture
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
  bool on(int x, int y) const { return inside(x, y) && alpha_[y * w_ + x] > 0; }
  Rgb at(int x, int y) const { return px_[y * w_ + x]; }
  std::uint8_t alpha(int x, int y) const { return alpha_[y * w_ + x]; }

  void set(int x, int y, Rgb c, std::uint8_t alpha = 255) {
    if (!inside(x, y)) throw std::runtime_error("pixel outside the picture");
    alpha_[y * w_ + x] = alpha;
    px_[y * w_ + x] = c;
  }

  // Paints a pixel map over the picture, row by row from the top; '.' is skipped.
  void paint(std::initializer_list<std::string_view> rows, int ox = 0, int oy = 0) {
    int y = oy;
    for (std::string_view row : rows) {
      for (int i = 0; i < static_cast<int>(row.size()); ++i)
        if (row[i] != '.') set(ox + i, y, colour_of(row[i]));
      ++y;
    }
  }

  void fill_rect(int x0, int y0, int x1, int y1, Rgb c) {  // inclusive corners
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) set(x, y, c);
  }

  // Another picture's painted pixels, placed with its top-left corner at (ox, oy).
  void draw(const Image& src, int ox, int oy) {
    for (int y = 0; y < src.height(); ++y)
      for (int x = 0; x < src.width(); ++x)
        if (src.on(x, y)) set(ox + x, oy + y, src.at(x, y), src.alpha(x, y));
  }

 private:
  int w_, h_;
  std::vector<std::uint8_t> alpha_;
  std::vector<Rgb> px_;
};

// The same picture with a grey copy of itself `offset` pixels right and down, underneath.
inline Image with_shadow(const Image& src, int offset = 1) {
  Image out(src.width(), src.height());
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x)
      if (src.on(x, y) && out.inside(x + offset, y + offset)) out.set(x + offset, y + offset, kShadow);
  out.draw(src, 0, 0);
  return out;
}

// Fills a shape given by a predicate on pixel centres and outlines it: a pixel of
// the shape with a pixel outside it no farther than `width` gets the outline
// colour (at width 1: the pixel left, right, above or below). With `corners`
// the neighbourhood is a square, which outlines the inner corners of a square
// shape too.
template <class InShape>
void shape(Image& img, InShape in, Rgb fill, Rgb outline, int width = 1, bool corners = false) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      if (!in(x, y)) continue;
      bool edge = false;
      for (int dy = -width; dy <= width && !edge; ++dy)
        for (int dx = -width; dx <= width && !edge; ++dx)
          if (corners || dx * dx + dy * dy <= width * width) edge = !in(x + dx, y + dy);
      img.set(x, y, edge ? outline : fill);
    }
}

// The picture drawn `factor` times larger, averaged down: edges that fall
// between pixels come out partly transparent, the others stay sharp.
inline Image averaged_down(const Image& big, int factor) {
  Image out(big.width() / factor, big.height() / factor);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) {
      unsigned r = 0, g = 0, b = 0, a = 0;
      for (int j = 0; j < factor; ++j)
        for (int i = 0; i < factor; ++i) {
          const int sx = x * factor + i, sy = y * factor + j;
          const unsigned w = big.alpha(sx, sy);
          const Rgb c = big.at(sx, sy);
          r += c.r * w, g += c.g * w, b += c.b * w, a += w;
        }
      if (a == 0) continue;
      const auto mean = [a](unsigned sum) { return static_cast<std::uint8_t>((sum + a / 2) / a); };
      out.set(x, y, Rgb{mean(r), mean(g), mean(b)},
              static_cast<std::uint8_t>((a + factor * factor / 2) / (factor * factor)));
    }
  return out;
}

}  // namespace art
