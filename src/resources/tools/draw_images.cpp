// Draws Wisplet's small images and writes them as BMP and ICO files.
//
// Run from the repository root (scripts/draw-images.sh does this and turns the
// contact sheet into a PNG file):
//   g++ -std=c++20 -O2 src/resources/tools/draw_images.cpp -o /tmp/draw_images && /tmp/draw_images src/resources/images
//
// Every picture is pixel art drawn for its size: no anti-aliasing but on the
// icon's cut corner, dark outlines one pixel wide, two at 200 %. The output is
// deterministic, so running it again gives byte-identical files.
//
// The glyphs, menu images and page buttons come at 100, 125, 150 and 200 %
// (resources/image_scale.h chooses among them); the 100 % file has the plain
// name, the others end in _125, _150 and _200.
//
// What it writes:
//   glyph_*.bmp   title-bar button glyphs of a note, 24-bit, 16x16 at 100 %.
//                 Pure white is the transparent colour, so the pictures never
//                 use it. The "_down" variants add a mid-grey shadow one pixel
//                 right and down (two at 200 %). A glyph is drawn at the
//                 top-left corner of its button and clipped to it; what it
//                 shows stays inside the part every line height of that scale
//                 leaves visible (14x12 at 100 %; see glyph_art.h).
//   wisplet.ico   tray and program icon: 16, 20, 24, 32, 40 and 48 pixels,
//                 32-bit with alpha. The 16 and 32 pixel images are the
//                 pictures the icon has always had.
//   menu_*.bmp    tray menu item images, 24-bit, 16x16 at 100 %, magenta
//                 (255,0,255) is the transparent colour.
//   options_*.bmp the options window's page buttons, 24-bit, 32x32 at 100 %,
//                 magenta is the transparent colour.
//   about.bmp     the About window's picture, 24-bit, 16x11, no transparency:
//                 a note in the default colours, which the window stretches.
// Given a second argument, it also writes a contact sheet of every picture at
// every size there, as a 24-bit BMP.

#include <cstdio>
#include <deque>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "../image_scale.h"
#include "contact_sheet.h"
#include "glyph_art.h"
#include "image_files.h"
#include "picture_art.h"

namespace {

using namespace art;

static_assert(kSteps == wisplet::kImageScaleSteps);

// The file name of a picture at a scale step: "glyph_menu.bmp", "glyph_menu_150.bmp".
std::string file_name(const std::string& name, int step) {
  const int percent = wisplet::kImageScalePercent[step];
  return name + (percent == 100 ? "" : "_" + std::to_string(percent)) + ".bmp";
}

// A title-bar glyph must stay within the part of the button that shows it.
void check_glyph(const std::string& name, const Image& img, int step) {
  const int line = kGlyphLineHeight[step];
  for (int y = 0; y < img.size(); ++y)
    for (int x = 0; x < img.size(); ++x)
      if (img.on(x, y) && (x > line || y >= line - 1))
        throw std::runtime_error(name + ": pixel outside the visible area at " + std::to_string(x) + "," +
                                 std::to_string(y));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [CONTACT_SHEET.bmp]\n", argv[0]);
    return 2;
  }
  try {
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    std::vector<SheetRow> sheet;
    std::deque<Image> drawn;  // kept for the sheet, which points at them

    struct Glyph {
      const char* name;
      Image (*draw)(int step);
    };
    const Glyph glyphs[] = {
        {"glyph_menu", glyph_menu},         {"glyph_hide", glyph_hide},
        {"glyph_pin_side", glyph_pin_side}, {"glyph_pin_front", glyph_pin_front},
        {"glyph_close", glyph_close},
    };
    for (const Glyph& g : glyphs) {
      SheetRow row{{}, Rgb{255, 240, 160}};
      for (int step = 0; step < kSteps; ++step) {
        const Image& up = drawn.emplace_back(g.draw(step));
        const Image& down = drawn.emplace_back(with_shadow(up, kGlyphShadow[step]));
        check_glyph(file_name(g.name, step), down, step);
        write_bmp(dir / file_name(g.name, step), up, kWhiteKey);
        write_bmp(dir / file_name(std::string(g.name) + "_down", step), down, kWhiteKey);
        const int line = kGlyphLineHeight[step];
        row.groups.push_back({{&up, line + 1, line - 1}, {&down, line + 1, line - 1}});
      }
      sheet.push_back(std::move(row));
    }

    struct Picture {
      const char* name;
      Image (*draw)(int step);
      Rgb background;
    };
    const Picture pictures[] = {
        {"menu_new", menu_new, {240, 240, 240}},
        {"menu_options", menu_options, {240, 240, 240}},
        {"menu_help", menu_help, {240, 240, 240}},
        {"menu_about", menu_about, {240, 240, 240}},
        {"options_system", options_system, {255, 255, 255}},
        {"options_colors", options_colors, {255, 255, 255}},
    };
    for (const Picture& p : pictures) {
      SheetRow row{{}, p.background};
      for (int step = 0; step < kSteps; ++step) {
        const Image& img = drawn.emplace_back(p.draw(step));
        write_bmp(dir / file_name(p.name, step), img, kMagentaKey);
        row.groups.push_back({{&img}});
      }
      sheet.push_back(std::move(row));
    }

    std::vector<Image> icons;
    for (const IconLayout& layout : kIconLayouts) icons.push_back(note_icon(layout));
    write_ico(dir / "wisplet.ico", icons);
    for (Rgb background : {Rgb{255, 255, 255}, Rgb{32, 32, 40}}) {
      SheetRow row{{}, background, background == Rgb{255, 255, 255}};
      for (const Image& icon : icons) row.groups.push_back({{&icon}});
      sheet.push_back(std::move(row));
    }

    write_bmp(dir / "about.bmp", about_picture(), kMagentaKey, kAboutRows);

    if (argc == 3) write_bmp(argv[2], contact_sheet(sheet, 4), std::nullopt);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "draw_images: %s\n", e.what());
    return 1;
  }
  return 0;
}
