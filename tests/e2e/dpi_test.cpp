// Wisplet on a desktop at 144 DPI (150 %), run by ctest on a test desktop of
// its own: stored notes at their scaled places and sizes, with the title bar
// and the glyphs made for the scale, snapping at the scaled distance, the
// settings file written back in its 96-DPI units, and the note editor and the
// options window at their scaled sizes with nothing cut off.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bitmap_pixels.h"
#include "harness.h"
#include "note_fixture.h"
#include "resources/image_scale.h"
#include "resources/resource.h"

using namespace e2e;

namespace {

constexpr int kDpi = 144;

// The notes' and dialogs' font at 144 DPI, as the program makes it.
HFONT UiFont(bool bold) {
  return CreateFontA(-MulDiv(8, kDpi, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     "Microsoft Sans Serif");
}

// A line of that font, or the width of a text in it.
SIZE Measure(const std::string& text, bool bold = false) {
  HDC screen = GetDC(nullptr);
  HFONT font = UiFont(bold);
  HGDIOBJ old = SelectObject(screen, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(screen, &tm);
  RECT r{0, 0, 0, 0};
  DrawTextA(screen, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return {r.right - r.left, tm.tmHeight};
}

RECT ClientOnScreen(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Every shown control lies inside its parent's client area, and every push
// button is wider than its caption.
void ExpectNothingCutOff(HWND window) {
  std::vector<HWND> controls;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&controls));
  ASSERT_GT(controls.size(), 5u);
  for (HWND c : controls) {
    if (!IsWindowVisible(c)) continue;
    const std::string text = WindowTextOf(c);
    SCOPED_TRACE(text);
    RECT r = WindowBounds(c), room = ClientOnScreen(GetParent(c));
    EXPECT_TRUE(r.left >= room.left && r.top >= room.top && r.right <= room.right && r.bottom <= room.bottom)
        << r.left << "," << r.top << "," << r.right << "," << r.bottom << " outside " << room.left << ","
        << room.top << "," << room.right << "," << room.bottom;
    char cls[32] = {};
    GetClassNameA(c, cls, sizeof cls);
    const LONG type = GetWindowLongA(c, GWL_STYLE) & BS_TYPEMASK;
    if (lstrcmpiA(cls, "Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
      std::string caption;
      for (char ch : text)
        if (ch != '&') caption += ch;
      EXPECT_LT(Measure(caption).cx, r.right - r.left);
    }
  }
}

HWND WaitShown(const AppProcess& app, const char* className) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = app.FindWindowOfClass(className)) && IsWindowVisible(found); }, 5000);
  return found;
}

}  // namespace

class Dpi : public NoteFixture {};

TEST_F(Dpi, NotesDialogsAndTheFileAt150Percent) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(dpi, kDpi) << "this suite runs on the test desktop at 144 DPI";
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);

  const std::string solid = "TitleColor=clRed\r\nTitleGradType=7\r\nMemoColor=clWhite\r\nMemoGradType=7\r\n";
  Start({StoredNote("Stored", {"one line"}, 100, 100, 200, 80, solid), StoredNote("Mover", {"drag"}, 400, 300)});

  // Stored at 100,100 sized 200x80: on the screen at 150,150 sized 300x120.
  ShownNote stored = NoteAt(150, 150);
  ASSERT_TRUE(stored.hwnd);
  EXPECT_EQ(stored.Width(), 300);
  EXPECT_EQ(stored.Height(), 120);
  // The title bar is a line of the 144-DPI font and 3 pixels high, red to
  // its last row; the buttons carry the glyphs drawn for 150 %, unstretched.
  const int line = Measure("Wg").cy;
  const NoteLayout layout{300, 120, line, kDpi};
  const RECT client = ClientOnScreen(stored.hwnd);
  Sleep(300);  // the first paint
  EXPECT_EQ(ScreenPixel(client.left + 150, client.top + line + 2), RGB(255, 0, 0));
  EXPECT_EQ(ScreenPixel(client.left + 150, client.top + line + 3), RGB(255, 255, 255));
  HMODULE exe = LoadLibraryExA(folder_.Exe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  const Pixels glyph = ResourcePixels(exe, wisplet::ScaledImageId(IDB_GLYPH_CLOSE, kDpi));
  FreeLibrary(exe);
  ASSERT_EQ(glyph.width, 24);
  const wisplet::Rect button = layout.CloseButton();
  const RECT area{client.left + button.left, client.top + button.top, client.left + button.right,
                  client.top + button.bottom};
  ScreenImage shown(area);
  int ink = 0, wrong = 0;
  for (int y = 0; y < std::min(glyph.height, button.bottom - button.top); ++y)
    for (int x = 0; x < std::min(glyph.width, button.right - button.left); ++x) {
      if (glyph.At(x, y) == RGB(255, 255, 255)) continue;  // transparent
      ++ink;
      wrong += shown.Pixel(area.left + x, area.top + y) != glyph.At(x, y);
    }
  EXPECT_GT(ink, 20);
  EXPECT_EQ(wrong, 0) << "of " << ink << " glyph pixels";

  // Stored at 400,300: at 600,450. Dragged to 15 pixels from the work area's
  // left edge it snaps; at 16 it stays.
  ShownNote mover = NoteAt(600, 450);
  ASSERT_TRUE(mover.hwnd);
  POINT grip{mover.Bounds().left + 150, mover.Bounds().top + 40};
  Drag(grip, {grip.x + work.left + 15 - 600, grip.y});
  EXPECT_TRUE(WaitUntil([&] { return mover.Bounds().left == work.left; }, 3000)) << mover.Bounds().left;
  grip = {mover.Bounds().left + 150, mover.Bounds().top + 40};
  Drag(grip, {grip.x + 16, grip.y});
  EXPECT_TRUE(WaitUntil([&] { return mover.Bounds().left == work.left + 16; }, 3000)) << mover.Bounds().left;
  EXPECT_EQ(mover.Bounds().top, 450);
  Park();

  // The note editor: 350x279 scaled, 5 scaled pixels from the work area's corner.
  HWND editor = OpenEditorFromTray(*app_);
  ASSERT_TRUE(editor);
  RECT e = WindowBounds(editor);
  EXPECT_EQ(e.right - e.left, 525);
  EXPECT_EQ(e.bottom - e.top, 419);
  EXPECT_EQ(e.right, work.right - 8);
  EXPECT_EQ(e.bottom, work.bottom - 8);
  ExpectNothingCutOff(editor);
  Sleep(300);
  SaveScreenshot("editor-144dpi", &e);
  PostMessageA(editor, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(editor); }, 3000));

  // The options window: 556x430 scaled, on its color-schemes page.
  ASSERT_TRUE(OpenTrayMenu(*app_));
  ChooseTrayMenuItem(2);  // New, Options
  HWND options = WaitShown(*app_, "TFormOptions");
  ASSERT_TRUE(options);
  RECT o = WindowBounds(options);
  EXPECT_EQ(o.right - o.left, 834);
  EXPECT_EQ(o.bottom - o.top, 645);
  ExpectNothingCutOff(options);
  Park();
  Sleep(300);
  SaveScreenshot("options-144dpi", &o);
  PostMessageA(options, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }, 3000));

  // "Exit" writes what was stored, to the unit; the moved note at 16 pixels
  // is 11 units (10.67) from the left.
  ASSERT_TRUE(app_->Exit());
  const struct {
    const char* section;
    const char* left;
    const char* top;
  } saved[] = {{"Sticker0", "100", "100"}, {"Sticker1", "11", "300"}};
  for (const auto& s : saved) {
    EXPECT_EQ(Saved(s.section, "Left"), s.left) << s.section;
    EXPECT_EQ(Saved(s.section, "Top"), s.top) << s.section;
    EXPECT_EQ(Saved(s.section, "Width"), "200") << s.section;
    EXPECT_EQ(Saved(s.section, "Height"), s.section == std::string("Sticker0") ? "80" : "50") << s.section;
  }
}
