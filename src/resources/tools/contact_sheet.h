// A contact sheet of draw_images.cpp's pictures, for looking at them all at
// once: every picture magnified, then at its own size.
#pragma once

#include <algorithm>
#include <map>
#include <vector>

#include "pixel_art.h"

namespace art {

struct SheetCell {
  const Image* img;
  int mark_w = 0, mark_h = 0;  // a line right of and below this area, when set
};

// One row of the sheet: groups of cells side by side (for a glyph, one group
// per scale step holding its normal and its pressed look). Rows with the same
// number of groups line their groups up in columns.
struct SheetRow {
  std::vector<std::vector<SheetCell>> groups;
  Rgb background;
  bool checkered = false;  // shows partial transparency
};

inline Image contact_sheet(const std::vector<SheetRow>& rows, int zoom) {
  constexpr int kGap = 8, kInner = 3;
  constexpr Rgb kSheet{150, 150, 150}, kMark{0, 120, 215};
  auto group_width = [](const std::vector<SheetCell>& cells, int z) {
    int w = 0;
    for (const SheetCell& c : cells) w += c.img->width() * z + kInner;
    return w - kInner;
  };
  // Widths of the columns, for each number of groups in a row.
  std::map<std::size_t, std::vector<int>> columns;
  for (const SheetRow& r : rows) {
    auto& widths = columns[r.groups.size()];
    widths.resize(r.groups.size(), 0);
    for (std::size_t k = 0; k < r.groups.size(); ++k) widths[k] = std::max(widths[k], group_width(r.groups[k], zoom));
  }

  // Where every group goes, row by row: magnified on the left, then at their
  // own size, starting in one column; then the sheet's size.
  struct Placed { const SheetRow* row; std::vector<int> xs; int y, height; };
  std::vector<Placed> placed;
  int y = kGap, own_x = 0, own_w = 0;
  for (const SheetRow& r : rows) {
    Placed p{&r, {}, y, 0};
    int x = kGap, w = 0;
    for (std::size_t k = 0; k < r.groups.size(); ++k) {
      p.xs.push_back(x);
      x += columns[r.groups.size()][k] + kGap;
      w += group_width(r.groups[k], 1) + kGap;
      for (const SheetCell& c : r.groups[k]) p.height = std::max(p.height, c.img->height() * zoom);
    }
    own_x = std::max(own_x, x + kGap);
    own_w = std::max(own_w, w);
    y += p.height + kGap;
    placed.push_back(p);
  }
  const int width = own_x + own_w;
  Image sheet(width, y);
  sheet.fill_rect(0, 0, width - 1, y - 1, kSheet);

  auto put = [&](const SheetRow& r, const SheetCell& c, int ox, int oy, int z) {
    const Image& img = *c.img;
    for (int py = 0; py < img.height() * z; ++py)
      for (int px = 0; px < img.width() * z; ++px) {
        const bool dark = r.checkered && ((px / 4 + py / 4) % 2);
        sheet.set(ox + px, oy + py, dark ? Rgb{204, 204, 204} : r.background);
      }
    if (c.mark_w > 0 && z > 1) {
      for (int i = 0; i <= c.mark_h * z; ++i) sheet.set(ox + c.mark_w * z, oy + i, kMark);
      for (int i = 0; i <= c.mark_w * z; ++i) sheet.set(ox + i, oy + c.mark_h * z, kMark);
    }
    for (int py = 0; py < img.height() * z; ++py)
      for (int px = 0; px < img.width() * z; ++px) {
        const int sx = px / z, sy = py / z, a = img.alpha(sx, sy);
        if (a == 0) continue;
        const Rgb under = sheet.at(ox + px, oy + py), over = img.at(sx, sy);
        auto mix = [a](int o, int u) { return static_cast<std::uint8_t>((o * a + u * (255 - a) + 127) / 255); };
        sheet.set(ox + px, oy + py, Rgb{mix(over.r, under.r), mix(over.g, under.g), mix(over.b, under.b)});
      }
  };
  for (const Placed& p : placed) {
    int own = own_x;
    for (std::size_t k = 0; k < p.row->groups.size(); ++k) {
      int x = p.xs[k];
      for (const SheetCell& c : p.row->groups[k]) {
        put(*p.row, c, x, p.y, zoom);
        put(*p.row, c, own, p.y, 1);
        x += c.img->width() * zoom + kInner;
        own += c.img->width() + kInner;
      }
      own += kGap - kInner;
    }
  }
  return sheet;
}

}  // namespace art
