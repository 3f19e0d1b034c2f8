// Draws Wisplet's small images and writes them as BMP and ICO files.
//
// Run from the repository root:
//   g++ -std=c++20 -O2 src/resources/tools/draw_images.cpp -o /tmp/draw_images && /tmp/draw_images src/resources/images
//
// Every picture is pixel art made for 16x16: no anti-aliasing, dark outlines.
// The output is deterministic, so running it again gives byte-identical files.
//
// What it writes:
//   glyph_*.bmp   title-bar button glyphs of a note, 24-bit, 16x16. Pure white
//                 is the transparent colour, so the pictures never use it. The
//                 "_down" variants add a mid-grey shadow one pixel right and down.
//                 The button is 15x13 and the glyph is drawn at its top-left
//                 corner, so everything visible stays inside the top-left 14x12.
//   wisplet.ico   tray and program icon: 16x16 and 32x32, 256 colours each.
//   menu_*.bmp    tray menu item images, 24-bit, 16x16, magenta (255,0,255) is
//                 the transparent colour.
//   options_*.bmp the options window's page buttons, 24-bit, 32x32, magenta
//                 is the transparent colour.
//   about.bmp     the About window's picture, 24-bit, 16x11, no transparency:
//                 a note in the default colours, which the window stretches.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
  friend bool operator<(const Rgb& a, const Rgb& b) {
    return std::tie(a.r, a.g, a.b) < std::tie(b.r, b.g, b.b);
  }
};

constexpr Rgb kWhiteKey{255, 255, 255};
constexpr Rgb kMagentaKey{255, 0, 255};
constexpr Rgb kShadow{128, 128, 128};

// The letters used in the pixel maps below. '.' leaves a pixel untouched.
Rgb colour_of(char c) {
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

// A square picture; pixels that were never painted are "off" (transparent).
class Image {
 public:
  explicit Image(int size) : size_(size), on_(size * size, false), px_(size * size) {}

  int size() const { return size_; }
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < size_ && y < size_; }
  bool on(int x, int y) const { return inside(x, y) && on_[y * size_ + x]; }
  Rgb at(int x, int y) const { return px_[y * size_ + x]; }

  void set(int x, int y, Rgb c) {
    if (!inside(x, y)) throw std::runtime_error("pixel outside the picture");
    on_[y * size_ + x] = true;
    px_[y * size_ + x] = c;
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

 private:
  int size_;
  std::vector<bool> on_;
  std::vector<Rgb> px_;
};

// The same picture with a grey copy of itself one pixel right and one down, underneath.
Image with_shadow(const Image& src) {
  Image out(src.size());
  for (int y = 0; y < src.size(); ++y)
    for (int x = 0; x < src.size(); ++x)
      if (src.on(x, y) && out.inside(x + 1, y + 1)) out.set(x + 1, y + 1, kShadow);
  for (int y = 0; y < src.size(); ++y)
    for (int x = 0; x < src.size(); ++x)
      if (src.on(x, y)) out.set(x, y, src.at(x, y));
  return out;
}

// Fills a shape given by a predicate on pixel centres and outlines it: a pixel of
// the shape that touches (4-neighbour) a pixel outside it gets the outline colour.
template <class InShape>
void shape(Image& img, InShape in, Rgb fill, Rgb outline) {
  const int n = img.size();
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      if (!in(x, y)) continue;
      const bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
      img.set(x, y, edge ? outline : fill);
    }
}

// ---------------------------------------------------------------------------
// Title-bar glyphs

Image glyph_menu() {  // a diamond
  Image img(16);
  img.paint({
      "................",
      "......K.........",
      ".....KGK........",
      "....KGGGK.......",
      "...KGGGGGK......",
      "..KGGGGGGGK.....",
      "...KGGGGGK......",
      "....KGGGK.......",
      ".....KGK........",
      "......K.........",
  });
  return img;
}

Image glyph_hide() {  // a triangle pointing down
  Image img(16);
  img.paint({
      "................",
      "................",
      "................",
      ".KKKKKKKKKKK....",
      "..KGGGGGGGK.....",
      "...KGGGGGK......",
      "....KGGGK.......",
      ".....KGK........",
      "......K.........",
  });
  return img;
}

Image glyph_pin_side() {  // a push-pin lying on its side, point to the left
  Image img(16);
  img.paint({
      "................",
      "....KKK.........",
      "....KpK...KKK...",
      "....KrKKKKKpK...",
      "....KrKprrKrK...",
      "GDDDKrKrrrKrK...",
      "....KrKRRRKrK...",
      "....KrKKKKKRK...",
      "....KRK...KKK...",
      "....KKK.........",
  });
  return img;
}

Image glyph_pin_front() {  // a push-pin seen head-on
  Image img(16);
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

Image glyph_close() {  // an X
  Image img(16);
  img.paint({
      "................",
      "................",
      "...KK....KK.....",
      "....KK..KK......",
      ".....KKKK.......",
      "......KK........",
      ".....KKKK.......",
      "....KK..KK......",
      "...KK....KK.....",
      "................",
  });
  return img;
}

// ---------------------------------------------------------------------------
// The icon: a yellow sticky note with a shaded top strip, a few lines of text
// and its bottom-right corner folded over.

Image note_icon(int n) {
  Image img(n);
  const bool big = n >= 32;
  const int m = big ? 2 : 1;      // margin around the note
  const int lo = m, hi = n - 1 - m;
  const int fold = big ? 9 : 5;    // size of the folded corner, outline included
  const int f0 = hi - fold + 1;    // first row/column of the fold
  const Rgb yellow = colour_of('y'), shade = colour_of('Y'), line = colour_of('o');

  // The sheet, with the corner cut along the diagonal x + y == 2 * hi - fold + 1.
  const int diag = hi + f0;
  for (int y = lo; y <= hi; ++y)
    for (int x = lo; x <= hi; ++x) {
      if (x + y > diag) continue;
      const bool edge = x == lo || y == lo || x == hi || y == hi || x + y == diag;
      img.set(x, y, edge ? line : yellow);
    }
  // The shaded strip along the top edge, where a real note's glue is.
  const int strip = big ? 4 : 2;
  img.fill_rect(lo + 1, lo + 1, hi - 1, lo + strip, shade);

  // The folded-over flap: a triangle with its right angle towards the middle.
  for (int y = f0; y <= hi; ++y)
    for (int x = f0; x <= hi; ++x) {
      if (x + y > diag) continue;
      const bool edge = x == f0 || y == f0 || x + y == diag;
      img.set(x, y, edge ? line : shade);
    }

  // Lines of text, each a little shorter or longer, ending before the fold.
  const Rgb ink = colour_of('t');
  if (big) {
    const int rows[] = {10, 14, 18, 22};
    const int ends[] = {hi - 5, hi - 8, hi - 4, f0 - 3};
    for (int i = 0; i < 4; ++i) img.fill_rect(lo + 4, rows[i], ends[i], rows[i] + 1, ink);
  } else {
    const int rows[] = {5, 7, 9, 11};
    const int ends[] = {hi - 2, hi - 4, hi - 3, f0 - 2};
    for (int i = 0; i < 4; ++i) img.fill_rect(lo + 2, rows[i], ends[i], rows[i], ink);
  }
  return img;
}

// ---------------------------------------------------------------------------
// Tray menu images

// A round badge 16 pixels across with a crescent of light in its upper left.
void badge(Image& img, char fill, char light, char outline) {
  const Rgb f = colour_of(fill), l = colour_of(light), o = colour_of(outline);
  shape(img, [](int x, int y) {
    const double dx = x - 7.5, dy = y - 7.5;
    return dx * dx + dy * dy <= 7.7 * 7.7;
  }, f, o);
  // A crescent of light just inside the rim, upper left.
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const double dx = x - 7.5, dy = y - 7.5, r2 = dx * dx + dy * dy;
      if (img.on(x, y) && img.at(x, y) == f && r2 >= 5.0 * 5.0 && dx + dy < -4.5) img.set(x, y, l);
    }
}

Image menu_new() {  // a small note with a green plus
  Image img(16);
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
  img.paint({
      "..nnn..",
      "..ngn..",
      "nnngnnn",
      "ngggggn",
      "nnngnnn",
      "..ngn..",
      "..nnn..",
  }, 9, 0);
  return img;
}

Image menu_options() {  // a gear with eight teeth
  Image img(16);
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

Image menu_help() {  // a question mark in a blue circle
  Image img(16);
  badge(img, 'b', 'c', 'B');
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
  return img;
}

Image menu_about() {  // an "i" in a teal circle
  Image img(16);
  badge(img, 'a', 'e', 'A');
  img.paint({
      ".......WW.......",
      ".......WW.......",
      "................",
      "......WWW.......",
      ".......WW.......",
      ".......WW.......",
      ".......WW.......",
      ".......WW.......",
      "......WWWW......",
  }, 0, 3);
  return img;
}

// ---------------------------------------------------------------------------
// Page buttons of the options window, 32x32

Image options_system() {  // a monitor on its stand, a note on its screen
  Image img(32);
  const Rgb frame = colour_of('D'), outline = colour_of('K');
  img.fill_rect(2, 3, 29, 22, outline);
  img.fill_rect(3, 4, 28, 21, frame);
  img.fill_rect(5, 6, 26, 19, colour_of('b'));
  img.fill_rect(5, 6, 26, 8, colour_of('c'));  // light on the top of the screen
  // A note on the screen.
  img.fill_rect(15, 10, 23, 17, colour_of('o'));
  img.fill_rect(16, 11, 22, 16, colour_of('y'));
  img.fill_rect(16, 11, 22, 11, colour_of('Y'));
  img.fill_rect(17, 13, 21, 13, colour_of('t'));
  img.fill_rect(17, 15, 20, 15, colour_of('t'));
  // Neck and foot.
  img.fill_rect(13, 23, 18, 25, outline);
  img.fill_rect(14, 23, 17, 25, colour_of('G'));
  img.fill_rect(8, 26, 23, 28, outline);
  img.fill_rect(9, 26, 22, 27, colour_of('L'));
  return img;
}

Image options_colors() {  // a painter's palette with four blobs of paint
  Image img(32);
  auto in_palette = [](int x, int y) {
    const double dx = (x - 15.5) / 14.0, dy = (y - 16.5) / 11.5;
    const double hx = x - 19.5, hy = y - 21.5;  // the thumb hole
    return dx * dx + dy * dy <= 1.0 && hx * hx + hy * hy > 2.6 * 2.6;
  };
  shape(img, in_palette, colour_of('h'), colour_of('H'));
  const struct {
    int x, y;
    char c;
  } blobs[] = {{8, 12, 'r'}, {14, 9, 'y'}, {21, 10, 'b'}, {9, 19, 'g'}};
  for (const auto& b : blobs)
    shape(img, [&](int x, int y) {
      const double dx = x - b.x, dy = y - b.y;
      return dx * dx + dy * dy <= 2.6 * 2.6;
    }, colour_of(b.c), colour_of('K'));
  return img;
}

// The About window's picture: the top 11 rows are used.

constexpr int kAboutRows = 11;

Image about_picture() {
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

// ---------------------------------------------------------------------------
// File writing

void put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

void save(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + path.string());
  std::printf("wrote %s\n", path.string().c_str());
}

// BITMAPINFOHEADER for a bottom-up, uncompressed picture.
void info_header(std::vector<std::uint8_t>& out, int w, int h, int bits, std::uint32_t image_size) {
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(w));
  put32(out, static_cast<std::uint32_t>(h));
  put16(out, 1);
  put16(out, static_cast<unsigned>(bits));
  put32(out, 0);  // BI_RGB
  put32(out, image_size);
  put32(out, 2835);  // 72 dpi
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
}

// A 24-bit BMP of the picture's top `rows` rows (all by default); pixels that
// are off get the key colour, which the picture must not use.
void write_bmp(const std::filesystem::path& path, const Image& img, Rgb key, int rows = 0) {
  const int n = img.size();
  const int h = rows > 0 ? rows : n;
  const int stride = (n * 3 + 3) & ~3;
  const std::uint32_t data = static_cast<std::uint32_t>(stride * h);
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  put32(out, 14 + 40 + data);
  put32(out, 0);
  put32(out, 14 + 40);
  info_header(out, n, h, 24, data);
  for (int y = h - 1; y >= 0; --y) {
    int written = 0;
    for (int x = 0; x < n; ++x) {
      Rgb c = key;
      if (img.on(x, y)) {
        c = img.at(x, y);
        if (c == key) throw std::runtime_error(path.string() + ": picture uses its key colour");
      }
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
      written += 3;
    }
    for (; written < stride; ++written) out.push_back(0);
  }
  save(path, out);
}

// An icon with one 8-bit (256-colour) image per picture; off pixels are masked out.
void write_ico(const std::filesystem::path& path, const std::vector<Image>& images) {
  std::vector<std::vector<std::uint8_t>> blobs;
  for (const Image& img : images) {
    const int n = img.size();
    // Palette: index 0 is black, for the masked-out pixels; the picture's colours follow.
    std::vector<Rgb> palette{Rgb{0, 0, 0}};
    std::map<Rgb, int> index;
    index[Rgb{0, 0, 0}] = 0;
    for (int y = 0; y < n; ++y)
      for (int x = 0; x < n; ++x)
        if (img.on(x, y) && !index.count(img.at(x, y))) {
          index[img.at(x, y)] = static_cast<int>(palette.size());
          palette.push_back(img.at(x, y));
        }
    if (palette.size() > 256) throw std::runtime_error("icon picture has more than 256 colours");
    palette.resize(256, Rgb{0, 0, 0});

    const int xor_stride = (n + 3) & ~3;
    const int and_stride = ((n + 31) / 32) * 4;
    const std::uint32_t size = static_cast<std::uint32_t>((xor_stride + and_stride) * n);
    std::vector<std::uint8_t> blob;
    info_header(blob, n, 2 * n, 8, size);
    for (Rgb c : palette) {
      blob.push_back(c.b);
      blob.push_back(c.g);
      blob.push_back(c.r);
      blob.push_back(0);
    }
    for (int y = n - 1; y >= 0; --y) {
      for (int x = 0; x < xor_stride; ++x)
        blob.push_back(x < n && img.on(x, y) ? static_cast<std::uint8_t>(index[img.at(x, y)]) : 0);
    }
    for (int y = n - 1; y >= 0; --y) {
      std::vector<std::uint8_t> row(and_stride, 0);
      for (int x = 0; x < n; ++x)
        if (!img.on(x, y)) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      blob.insert(blob.end(), row.begin(), row.end());
    }
    blobs.push_back(std::move(blob));
  }

  std::vector<std::uint8_t> out;
  put16(out, 0);  // reserved
  put16(out, 1);  // icon
  put16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int n = images[i].size();
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(0);  // 256 colours
    out.push_back(0);
    put16(out, 1);  // planes
    put16(out, 8);  // bits per pixel
    put32(out, static_cast<std::uint32_t>(blobs[i].size()));
    put32(out, offset);
    offset += static_cast<std::uint32_t>(blobs[i].size());
  }
  for (const auto& blob : blobs) out.insert(out.end(), blob.begin(), blob.end());
  save(path, out);
}

// A title-bar glyph must stay within the part of the button that shows it.
void check_glyph(const char* name, const Image& img) {
  for (int y = 0; y < img.size(); ++y)
    for (int x = 0; x < img.size(); ++x)
      if (img.on(x, y) && (x >= 14 || y >= 12))
        throw std::runtime_error(std::string(name) + ": pixel outside the visible 14x12 area");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  try {
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);

    struct Glyph {
      const char* name;
      Image (*draw)();
    };
    const Glyph glyphs[] = {
        {"glyph_menu", glyph_menu},         {"glyph_hide", glyph_hide},
        {"glyph_pin_side", glyph_pin_side}, {"glyph_pin_front", glyph_pin_front},
        {"glyph_close", glyph_close},
    };
    for (const Glyph& g : glyphs) {
      const Image up = g.draw();
      const Image down = with_shadow(up);
      check_glyph(g.name, down);
      write_bmp(dir / (std::string(g.name) + ".bmp"), up, kWhiteKey);
      write_bmp(dir / (std::string(g.name) + "_down.bmp"), down, kWhiteKey);
    }

    write_ico(dir / "wisplet.ico", {note_icon(16), note_icon(32)});

    write_bmp(dir / "menu_new.bmp", menu_new(), kMagentaKey);
    write_bmp(dir / "menu_options.bmp", menu_options(), kMagentaKey);
    write_bmp(dir / "menu_help.bmp", menu_help(), kMagentaKey);
    write_bmp(dir / "menu_about.bmp", menu_about(), kMagentaKey);

    write_bmp(dir / "options_system.bmp", options_system(), kMagentaKey);
    write_bmp(dir / "options_colors.bmp", options_colors(), kMagentaKey);

    write_bmp(dir / "about.bmp", about_picture(), kMagentaKey, kAboutRows);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "draw_images: %s\n", e.what());
    return 1;
  }
  return 0;
}
