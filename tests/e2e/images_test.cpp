// The pictures built into Wisplet.exe: every image at every display scale
// under the identifier that image_scale.h gives for it, as the file the
// drawing tool wrote, and the icon with an image of each size the shell asks for.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bitmap_pixels.h"
#include "harness.h"
#include "resources/image_scale.h"
#include "resources/resource.h"

using namespace e2e;

TEST(Images, EveryPictureIsBuiltInAtEveryScaleAndTheIconAtEverySize) {
  HMODULE exe = LoadLibraryExA((BinFolder() + "\\Wisplet.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  const std::string folder = BinFolder() + "\\..\\..\\src\\resources\\images\\";
  const struct {
    int id;
    const char* file;
    int side;  // at 100 %
  } images[] = {
      {IDB_GLYPH_MENU, "glyph_menu", 16},
      {IDB_GLYPH_MENU_DOWN, "glyph_menu_down", 16},
      {IDB_GLYPH_HIDE, "glyph_hide", 16},
      {IDB_GLYPH_HIDE_DOWN, "glyph_hide_down", 16},
      {IDB_GLYPH_PIN_OFF, "glyph_pin_side", 16},
      {IDB_GLYPH_PIN_OFF_DOWN, "glyph_pin_side_down", 16},
      {IDB_GLYPH_PIN_ON, "glyph_pin_front", 16},
      {IDB_GLYPH_PIN_ON_DOWN, "glyph_pin_front_down", 16},
      {IDB_GLYPH_CLOSE, "glyph_close", 16},
      {IDB_GLYPH_CLOSE_DOWN, "glyph_close_down", 16},
      {IDB_MENU_NEW, "menu_new", 16},
      {IDB_MENU_OPTIONS, "menu_options", 16},
      {IDB_MENU_HELP, "menu_help", 16},
      {IDB_MENU_ABOUT, "menu_about", 16},
      {IDB_OPTIONS_SYSTEM, "options_system", 32},
      {IDB_OPTIONS_COLORS, "options_colors", 32},
  };
  for (const auto& image : images)
    for (int dpi : {96, 120, 144, 192}) {
      const int percent = wisplet::ImageScalePercent(dpi), side = wisplet::ScaledImageSide(image.side, dpi);
      const std::string file =
          folder + image.file + (percent == 100 ? "" : "_" + std::to_string(percent)) + ".bmp";
      SCOPED_TRACE(file);
      Pixels built = ResourcePixels(exe, wisplet::ScaledImageId(image.id, dpi));
      Pixels drawn = ReadAndDelete(LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0,
                                              LR_LOADFROMFILE | LR_CREATEDIBSECTION));
      EXPECT_EQ(built.width, side);
      EXPECT_EQ(built.height, side);
      EXPECT_FALSE(drawn.bits.empty());
      EXPECT_TRUE(built.bits == drawn.bits) << "the built-in picture is not the file";
    }

  // For each size the shell may ask for, the icon has an image of its own with alpha.
  HRSRC group = FindResourceA(exe, MAKEINTRESOURCEA(IDI_WISPLET), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(exe, group)));
  ASSERT_NE(directory, nullptr);
  for (int size : {16, 20, 24, 32, 40, 48}) {
    SCOPED_TRACE(size);
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC icon = FindResourceA(exe, MAKEINTRESOURCEA(id), RT_ICON);
    ASSERT_NE(icon, nullptr);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(exe, icon)));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->biWidth, size);
    EXPECT_EQ(header->biHeight, 2 * size);  // the picture and its mask
    EXPECT_EQ(header->biBitCount, 32);
  }
  FreeLibrary(exe);
}
