// The title-bar glyphs of a note at each scale step (0 = 100 %, 1 = 125 %,
// 2 = 150 %, 3 = 200 %), drawn for their size: the shapes are laid out again on
// the larger grid, outlines stay one pixel wide up to 150 % and are two at 200 %.
#pragma once

#include <cmath>
#include <cstdlib>

#include "pixel_art.h"

namespace art {

constexpr int kGlyphShadow[kSteps] = {1, 1, 1, 2};  // drop shadow of the pressed look
// The glyph is drawn at the top-left corner of a button (line height + 2) wide
// and a line high, and clipped to it. The line height of the note's font is at
// least this at each scale; like at 100 %, a margin of one pixel is kept on the
// right and at the bottom, so a glyph shows whole within (line + 1) x (line - 1).
constexpr int kGlyphLineHeight[kSteps] = {13, 15, 18, 24};

inline Image glyph_menu(int step) {  // a diamond
  struct { int cx, cy, r; } const d[kSteps] = {{6, 5, 4}, {7, 6, 5}, {8, 7, 6}, {10, 9, 8}};
  const auto& g = d[step];
  Image img(kSmallSide[step]);
  shape(img, [&](int x, int y) { return std::abs(x - g.cx) + std::abs(y - g.cy) <= g.r; },
        colour_of('G'), colour_of('K'), kSmallLine[step]);
  return img;
}

inline Image glyph_hide(int step) {  // a triangle pointing down
  struct { int cx, top, half; } const d[kSteps] = {{6, 3, 5}, {7, 4, 6}, {8, 5, 7}, {10, 6, 10}};
  const auto& g = d[step];
  Image img(kSmallSide[step]);
  shape(img, [&](int x, int y) { return y >= g.top && std::abs(x - g.cx) <= g.half - (y - g.top); },
        colour_of('G'), colour_of('K'), kSmallLine[step]);
  return img;
}

inline Image glyph_close(int step) {  // an X of two strokes `w` pixels wide across
  struct { double cx; int cy, reach, w; } const d[kSteps] = {
      {6.5, 5, 3, 2}, {7.5, 6, 4, 2}, {8, 7, 5, 3}, {10.5, 9, 6, 4}};
  const auto& g = d[step];
  Image img(kSmallSide[step]);
  const double half = (g.w - 1) / 2.0 + 1e-9;
  shape(img, [&](int x, int y) {
    return std::abs(y - g.cy) <= g.reach &&
           (std::abs(x - y - (g.cx - g.cy)) <= half || std::abs(x + y - (g.cx + g.cy)) <= half);
  }, colour_of('K'), colour_of('K'));
  return img;
}

// A part of a push-pin: a box outlined `t` pixels wide, red inside, lit at its
// top-left corner and dark along its bottom.
inline void pin_box(Image& img, int x0, int y0, int x1, int y1, int t) {
  const int inner_h = (y1 - t) - (y0 + t) + 1;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const int ix = x - x0 - t, iy = y - y0 - t;
      char c = 'r';
      if (x < x0 + t || x > x1 - t || y < y0 + t || y > y1 - t) c = 'K';
      else if (iy >= inner_h - t) c = 'R';
      else if (ix < t && iy < t) c = 'p';
      img.set(x, y, colour_of(c));
    }
}

inline Image glyph_pin_side(int step) {  // a push-pin lying on its side, point to the left
  struct Box { int x0, y0, x1, y1; };
  struct { int needle_y, needle_end; Box plate, knob, body; } const d[kSteps] = {
      {5, 3, {4, 1, 6, 9}, {10, 2, 12, 8}, {6, 3, 10, 7}},
      {6, 4, {5, 1, 7, 11}, {12, 2, 14, 10}, {7, 3, 12, 9}},
      {7, 5, {6, 1, 8, 13}, {14, 3, 16, 11}, {8, 4, 14, 10}},
      {9, 5, {6, 1, 11, 18}, {17, 3, 22, 16}, {10, 5, 18, 14}},
  };
  const auto& g = d[step];
  const int t = kSmallLine[step];
  Image img(kSmallSide[step]);
  img.fill_rect(0, g.needle_y, g.needle_end, g.needle_y + t - 1, colour_of('D'));
  img.fill_rect(0, g.needle_y, t - 1, g.needle_y + t - 1, colour_of('G'));  // the point
  for (const Box& b : {g.plate, g.knob, g.body}) pin_box(img, b.x0, b.y0, b.x1, b.y1, t);
  return img;
}

inline Image glyph_pin_front(int step) {  // a push-pin seen head-on
  Image img(kSmallSide[step]);
  if (step == 0) {  // the round shapes are drawn by hand at the smallest size
    img.paint({
        "................",
        "....KKKKK.......",
        "...KrrrrrK......",
        "..KrrKKKrrK.....",
        "..KrKpprKrK.....",
        "..KrKprrKRK.....",
        "..KrKrrRKRK.....",
        "..KrrKKKRRK.....",
        "...KrRRRRK......",
        "....KKKKK.......",
    });
    return img;
  }
  // Rings by distance from the centre, which keeps round outlines even: the
  // rim's outline, the rim (dark towards the bottom right), the outline of
  // the domed centre and the dome, lit at its top left.
  struct { double cx, cy, rim, rim_in, dome, dome_in; } const d[kSteps] = {
      {}, {7, 6, 5.6, 4.6, 3.3, 2.3}, {8, 7, 6.5, 5.5, 3.9, 2.9}, {9.5, 9.5, 9.1, 7.3, 5.1, 3.2}};
  const auto& g = d[step];
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const double r = std::hypot(x - g.cx, y - g.cy), across = (x - g.cx) + (y - g.cy);
      if (r > g.rim) continue;
      char c = 'K';
      if (r > g.dome && r <= g.rim_in) c = across >= 0.75 * g.rim ? 'R' : 'r';
      if (r <= g.dome_in) c = across <= -0.35 * g.dome ? 'p' : across >= 0.55 * g.dome ? 'R' : 'r';
      img.set(x, y, colour_of(c));
    }
  return img;
}

}  // namespace art
