// The program's icon, the tray menu's images, the options window's page
// buttons and the About window's picture. Menu images and page buttons come
// at each scale step (0 = 100 %, 1 = 125 %, 2 = 150 %, 3 = 200 %).
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "pixel_art.h"

namespace art {

constexpr int kPageSide[kSteps] = {32, 40, 48, 64};
constexpr int kPageLine[kSteps] = {1, 1, 2, 2};  // outline width of the page buttons

// ---------------------------------------------------------------------------
// The note: a yellow sheet with a shaded strip along its top edge, where a real
// note's glue is, and its bottom-right corner folded over.

// The sheet from (x0, y0) to (x1, y1), outlined `t` pixels wide; the strip is
// `strip` rows high and the flap `fold` pixels on a side, outline included.
inline void note_sheet(Image& img, int x0, int y0, int x1, int y1, int t, int strip, int fold) {
  const Rgb yellow = colour_of('y'), shade = colour_of('Y'), line = colour_of('o');
  const int fx = x1 - fold + 1, fy = y1 - fold + 1;  // the flap's first column and row
  const int diag = x1 + fy;                          // the cut: x + y == diag
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      if (x + y > diag) continue;
      const bool edge = x < x0 + t || y < y0 + t || x > x1 - t || y > y1 - t || x + y > diag - t;
      img.set(x, y, edge ? line : yellow);
    }
  if (strip > 0) img.fill_rect(x0 + t, y0 + t, x1 - t, y0 + t + strip - 1, shade);
  if (fold <= 0) return;
  // The flap: a triangle with its right angle towards the middle.
  for (int y = fy; y <= y1; ++y)
    for (int x = fx; x <= x1; ++x) {
      if (x + y > diag) continue;
      const bool edge = x < fx + t || y < fy + t || x + y > diag - t;
      img.set(x, y, edge ? line : shade);
    }
}

// The icon: the note with four lines of text, filling the square but for a margin.
struct IconLayout {
  int side, margin, line, fold, strip;
  int text_left, text_height, text_rows[4];
  int text_inset[4];  // how far each line stops short of the sheet's right edge (the last line: of the flap)
  // Drawn this many times larger and averaged down, which smooths the edge of
  // the cut corner; the other edges fall between pixels and stay sharp. The
  // 16 and 32 pixel pictures stay as the icon always had them.
  int fine;
};

constexpr IconLayout kIconLayouts[] = {
    {16, 1, 1, 5, 2, 2, 1, {5, 7, 9, 11}, {2, 4, 3, 1}, 1},
    {20, 1, 1, 6, 2, 3, 1, {6, 9, 12, 15}, {3, 5, 4, 2}, 4},
    {24, 1, 1, 7, 3, 3, 2, {6, 10, 14, 18}, {3, 6, 4, 2}, 4},
    {32, 2, 1, 9, 4, 4, 2, {10, 14, 18, 22}, {5, 8, 4, 2}, 1},
    {40, 2, 2, 11, 5, 5, 2, {12, 17, 22, 27}, {6, 10, 5, 3}, 4},
    {48, 3, 2, 13, 5, 6, 3, {13, 19, 25, 31}, {7, 12, 6, 4}, 4},
};

inline Image note_icon(const IconLayout& l) {
  const int fine = l.fine, n = l.side * fine;
  Image img(n);
  const int lo = l.margin * fine, hi = n - 1 - l.margin * fine;
  note_sheet(img, lo, lo, hi, hi, l.line * fine, l.strip * fine, l.fold * fine);
  const int f0 = l.side - l.margin - l.fold;  // the flap's first column, in pixels
  for (int i = 0; i < 4; ++i) {
    const int end = (i == 3 ? f0 : l.side - l.margin) - l.text_inset[i];  // first pixel past the line
    img.fill_rect(l.text_left * fine + lo, l.text_rows[i] * fine, end * fine - 1,
                  (l.text_rows[i] + l.text_height) * fine - 1, colour_of('t'));
  }
  return fine == 1 ? img : averaged_down(img, fine);
}

// ---------------------------------------------------------------------------
// Tray menu images

// A round badge across the whole picture, outlined `t` wide, with a crescent of
// light just inside the rim at its upper left.
inline void badge(Image& img, int t, char fill, char light, char outline) {
  const Rgb f = colour_of(fill), l = colour_of(light), o = colour_of(outline);
  const int n = img.size();
  const double c = (n - 1) / 2.0, s = n / 16.0, rim = n / 2.0 - 0.3;
  shape(img, [&](int x, int y) { return std::hypot(x - c, y - c) <= rim; }, f, o, t);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const double dx = x - c, dy = y - c, r2 = dx * dx + dy * dy, inner = rim - 2.7 * s;
      if (img.on(x, y) && img.at(x, y) == f && r2 >= inner * inner && dx + dy < -4.5 * s) img.set(x, y, l);
    }
}

inline Image menu_new(int step) {  // a small note with a green plus
  // The note from (0, top) to (right, bottom); lines of text one outline high
  // start at the given rows, the last before the fold; the plus is `plus`
  // pixels on a side with arms `arm` wide.
  struct {
    int top = 0, right = 0, bottom = 0, strip = 0, fold = 0, text_left = 0, rows[4] = {}, ends[4] = {}, plus, arm;
  } const d[kSteps] = {
      {.plus = 7, .arm = 3},
      {5, 13, 18, 1, 4, 2, {8, 10, 12, 14}, {9, 10, 8, 7}, 9, 3},
      {6, 16, 22, 2, 5, 2, {10, 13, 16, 19}, {11, 13, 10, 9}, 10, 4},
      {9, 21, 30, 2, 7, 4, {14, 18, 22, 26}, {15, 17, 13, 12}, 14, 6},
  };
  const auto& g = d[step];
  const int t = kSmallLine[step];
  Image img(kSmallSide[step]);
  if (step == 0) {  // drawn by hand: its fold is a row taller than wide
    img.paint({
        "ooooooooooo",
        "oYYYYYYYYYo",
        "oyyyyyyyyyo",
        "oyttttttyyo",
        "oyyyyyyyyyo",
        "oytttttttyo",
        "oyyyyyyyyyo",
        "oyttttyyooo",
        "oyyyyyyyoYo",
        "oyyyyyyyoo.",
        "ooooooooo..",
    }, 0, 4);
  } else {
    note_sheet(img, 0, g.top, g.right, g.bottom, t, g.strip, g.fold);
    for (int i = 0; i < 4; ++i) img.fill_rect(g.text_left, g.rows[i], g.ends[i], g.rows[i] + t - 1, colour_of('t'));
  }
  // The plus over the note's top-right corner.
  const int left = img.size() - g.plus;
  const double mid = (g.plus - 1) / 2.0, half = (g.arm - 1) / 2.0;
  shape(img, [&](int x, int y) {
    const double dx = x - left - mid, dy = y - mid;
    return std::abs(dx) <= mid && std::abs(dy) <= mid && (std::abs(dx) <= half || std::abs(dy) <= half);
  }, colour_of('g'), colour_of('n'), t, true);
  return img;
}

inline Image menu_options(int step) {  // a gear with eight teeth
  Image img(kSmallSide[step]);
  if (step == 0) {
    img.paint({
        "......DDDD......",
        "..DD..DSSD..DD..",
        ".DSSDDDSSDDDSLD.",
        ".DSSSSSSSLLLLLD.",
        "..DSSSLLLLLLLD..",
        "DDDSSLDDDDLLLDDD",
        "DSSSLD....DLLLGD",
        "DSSLLD....DLLLGD",
        "DSSLLD....DLLGGD",
        "DSLLLD....DLLGGD",
        "DDDLLLDDDDLLGDDD",
        "..DLLLLLLLLGGD..",
        ".DLLLLLLLGGGGGD.",
        ".DLGDDDLGDDDGGD.",
        "..DD..DGGD..DD..",
        "......DDDD......",
    });
    return img;
  }
  // A round body with a square hole; four straight teeth `tooth` wide reach the
  // edges, four slanting ones (a band along the diagonal) end where x + y
  // reaches `reach` from the centre.
  struct { double body, hole; int tooth, slant, reach; } const d[kSteps] = {
      {}, {7.0, 3.1, 6, 2, 14}, {8.4, 3.1, 6, 3, 17}, {11.2, 4.1, 8, 4, 22}};
  const auto& g = d[step];
  const int n = img.size();
  const double c = (n - 1) / 2.0;
  auto in_gear = [&](int x, int y) {
    const double ax = std::abs(x - c), ay = std::abs(y - c);
    if (std::max(ax, ay) < g.hole || std::max(ax, ay) > n / 2.0) return false;
    return std::hypot(ax, ay) <= g.body || std::min(ax, ay) < g.tooth / 2.0 ||
           (std::abs(ax - ay) <= g.slant && ax + ay <= g.reach);
  };
  shape(img, in_gear, colour_of('L'), colour_of('D'), kSmallLine[step]);
  // Lit from the top left.
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      if (!img.on(x, y) || img.at(x, y) != colour_of('L')) continue;
      const double across = (x - c) + (y - c);
      if (across < -0.25 * n) img.set(x, y, colour_of('S'));
      else if (across > 0.3 * n) img.set(x, y, colour_of('G'));
    }
  return img;
}

inline Image menu_help(int step) {  // a question mark in a blue circle
  Image img(kSmallSide[step]);
  badge(img, kSmallLine[step], 'b', 'c', 'B');
  switch (step) {
    case 0:
      img.paint({
          "......WWWW......",
          ".....WW..WW.....",
          ".........WW.....",
          "........WW......",
          ".......WW.......",
          ".......WW.......",
          "................",
          ".......WW.......",
          ".......WW.......",
      }, 0, 3);
      break;
    case 1:
      img.paint({
          "........WWWW........",
          ".......WWWWWW.......",
          "......WW....WW......",
          "............WW......",
          "...........WW.......",
          "..........WW........",
          ".........WW.........",
          ".........WW.........",
          "....................",
          ".........WW.........",
          ".........WW.........",
      }, 0, 4);
      break;
    case 2:
      img.paint({
          ".........WWWWW..........",
          "........WWWWWWW.........",
          ".......WWW...WWW........",
          ".............WWW........",
          "............WWW.........",
          "...........WWW..........",
          "..........WWW...........",
          "..........WWW...........",
          "........................",
          "..........WWW...........",
          "..........WWW...........",
      }, 0, 6);
      break;
    default:
      img.paint({
          "............WWWWWWWW............",
          "...........WWWWWWWWWW...........",
          "..........WWWW....WWWW..........",
          "..........WWWW....WWWW..........",
          "..................WWWW..........",
          ".................WWWW...........",
          "................WWWW............",
          "...............WWWW.............",
          "..............WWWW..............",
          "..............WWWW..............",
          "..............WWWW..............",
          "................................",
          "..............WWWW..............",
          "..............WWWW..............",
          "..............WWWW..............",
      }, 0, 7);
  }
  return img;
}

inline Image menu_about(int step) {  // an "i" in a teal circle
  Image img(kSmallSide[step]);
  badge(img, kSmallLine[step], 'a', 'e', 'A');
  // The stem `w` pixels wide at column x with the dot above it, a serif to
  // its left at the top and a foot across its bottom, both `bar` rows high.
  struct { int x, w, dot, stem, bottom, serif, bar; } const d[kSteps] = {
      {7, 2, 3, 6, 11, 1, 1}, {9, 2, 4, 8, 14, 1, 1}, {11, 3, 5, 9, 17, 1, 1}, {14, 4, 6, 12, 24, 2, 2}};
  const auto& g = d[step];
  const Rgb white = colour_of('W');
  img.fill_rect(g.x, g.dot, g.x + g.w - 1, g.dot + g.w - 1, white);
  img.fill_rect(g.x, g.stem, g.x + g.w - 1, g.bottom, white);
  img.fill_rect(g.x - g.serif, g.stem, g.x - 1, g.stem + g.bar - 1, white);
  img.fill_rect(g.x - g.serif, g.bottom - g.bar + 1, g.x + g.w - 1 + g.serif, g.bottom, white);
  return img;
}

// ---------------------------------------------------------------------------
// Page buttons of the options window, 32x32 at 100 %

// A box given in 32-pixel units, laid on the grid of the picture's size.
struct Box {
  int x0, y0, x1, y1;
};
inline Box page_box(int side, int x0, int y0, int x1, int y1) {
  const double f = side / 32.0;
  auto at = [f](int v) { return static_cast<int>(std::lround(v * f)); };
  return {at(x0), at(y0), at(x1 + 1) - 1, at(y1 + 1) - 1};
}
inline void fill(Image& img, const Box& b, char c) { img.fill_rect(b.x0, b.y0, b.x1, b.y1, colour_of(c)); }

inline Image options_system(int step) {  // a monitor on its stand, a note on its screen
  const int n = kPageSide[step], t = kPageLine[step];
  const auto at = [n](int v) { return static_cast<int>(std::lround(v * n / 32.0)); };
  Image img(n);
  const Box monitor = page_box(n, 2, 3, 29, 22), screen = page_box(n, 5, 6, 26, 19);
  fill(img, monitor, 'K');
  fill(img, {monitor.x0 + t, monitor.y0 + t, monitor.x1 - t, monitor.y1 - t}, 'D');
  fill(img, screen, 'b');
  fill(img, {screen.x0, screen.y0, screen.x1, screen.y0 + at(3) - 1}, 'c');  // light on the top of the screen
  // A note on the screen, its lines as fine as on the small pictures until 200 %.
  const Box note = page_box(n, 15, 10, 23, 17);
  const int fine = kSmallLine[step];
  note_sheet(img, note.x0, note.y0, note.x1, note.y1, fine, fine, 0);
  for (const Box& line : {page_box(n, 17, 13, 21, 13), page_box(n, 17, 15, 20, 15)})
    fill(img, {line.x0, line.y0, line.x1, line.y0 + fine - 1}, 't');
  // Neck and foot.
  const Box neck = page_box(n, 13, 23, 18, 25), foot = page_box(n, 8, 26, 23, 28);
  fill(img, neck, 'K');
  fill(img, {neck.x0 + t, neck.y0, neck.x1 - t, neck.y1}, 'G');
  fill(img, foot, 'K');
  fill(img, {foot.x0 + t, foot.y0, foot.x1 - t, foot.y1 - t}, 'L');
  return img;
}

inline Image options_colors(int step) {  // a painter's palette with four blobs of paint
  const int n = kPageSide[step], t = kPageLine[step];
  const double f = n / 32.0;
  // Pixel centres in the units of the 32-pixel picture.
  auto u = [f](int v) { return (v + 0.5) / f - 0.5; };
  // A round spot at (x, y) in units, moved to the nearest pixel centre (or, for
  // a centre between pixels, pixel corner), which keeps it symmetric at every
  // size; its radius in pixels makes a round pixel circle.
  constexpr double kSpotRadius[kSteps] = {2.6, 3.3, 4.3, 5.2};
  auto spot = [f, r = kSpotRadius[step]](double x, double y) {
    auto snap = [f](double v) {
      const double half = v - std::floor(v);
      return std::round((v + 0.5) * f - 0.5 - half) + half;
    };
    return [cx = snap(x), cy = snap(y), r](int sx, int sy) { return std::hypot(sx - cx, sy - cy) <= r; };
  };
  Image img(n);
  const auto thumb_hole = spot(19.5, 21.5);
  auto in_palette = [&](int x, int y) {
    const double dx = (u(x) - 15.5) / 14.0, dy = (u(y) - 16.5) / 11.5;
    return dx * dx + dy * dy <= 1.0 && !thumb_hole(x, y);
  };
  shape(img, in_palette, colour_of('h'), colour_of('H'), t);
  const struct {
    int x, y;
    char c;
  } blobs[] = {{8, 12, 'r'}, {14, 9, 'y'}, {21, 10, 'b'}, {9, 19, 'g'}};
  for (const auto& b : blobs) shape(img, spot(b.x, b.y), colour_of(b.c), colour_of('K'), t);
  return img;
}

// ---------------------------------------------------------------------------
// The About window's picture, which the window stretches: the top 11 rows are used.

constexpr int kAboutRows = 11;

inline Image about_picture() {
  Image img(16);
  img.paint({
      "KKKKKKKKKKKKKKKK",
      "KWWSccccccbKbKbK",
      "KKKKKKKKKKKKKKKK",
      "KWWWWWWWWWWWWWWK",
      "KWttttttttttWWWK",
      "KWWWWWWWWWWWWWcK",
      "KWtttttttWWWWWcK",
      "KWWWWWWWWWWWWccK",
      "KWttttttttttWccK",
      "KWWWWWWWWWWcccbK",
      "KKKKKKKKKKKKKKKK",
  });
  return img;
}

}  // namespace art
