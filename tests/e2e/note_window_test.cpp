// A note on the desktop, created from the settings file: its window styles,
// its size and what it paints.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "model/color.h"
#include "base/gdi_surface.h"
#include "notes/gradient.h"
#include "notes/note_layout.h"

using namespace e2e;
using wisplet::TColor;

namespace {

std::string Note(int n, const std::string& keys) { return "[Sticker" + std::to_string(n) + "]\r\n" + keys; }

std::vector<HWND> Notes(const AppProcess& app) { return NoteWindows(app); }

// The height of a line of the notes' font, as the program measures it.
int LineHeight() {
  HDC screen = GetDC(nullptr);
  HFONT font = CreateFontA(-MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE,
                           FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
  HGDIOBJ old = SelectObject(screen, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(screen, &tm);
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return tm.tmHeight;
}

}  // namespace

TEST(NoteWindow, StylesOfANoteOnTheDesktop) {
  TestFolder folder;
  folder.WriteIni("[Main]\r\nStickerCount=2\r\n" +
                  Note(0, "Title=Plain\r\nActive=1\r\nTop=100\r\nLeft=100\r\n") +
                  Note(1, "Title=On top\r\nActive=1\r\nOnTop=1\r\nTop=200\r\nLeft=100\r\n"));
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  auto notes = Notes(app);
  ASSERT_EQ(notes.size(), 2u);
  for (HWND note : notes) {
    // The system adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(note, GWL_STYLE)) & ~(WS_VISIBLE | WS_CLIPSIBLINGS),
              0x82800000u);
    EXPECT_TRUE(IsWindowVisible(note));
    EXPECT_EQ(GetWindow(note, GW_OWNER), nullptr);
    EXPECT_TRUE(GetClassLongA(note, GCL_STYLE) & CS_SAVEBITS);
    DWORD ex = static_cast<DWORD>(GetWindowLongA(note, GWL_EXSTYLE));
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_LAYERED);  // made layered when shown, even when opaque
  }
  RECT r{}, other{};
  GetWindowRect(notes[0], &r);
  GetWindowRect(notes[1], &other);
  if (other.top < r.top) r = other;  // the note stored at the top
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 100);
  EXPECT_EQ(r.right - r.left, 200);
  EXPECT_EQ(r.bottom - r.top, 50);
  int topmost = 0;
  for (HWND note : notes) topmost += (GetWindowLongA(note, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0;
  EXPECT_EQ(topmost, 1);
  EXPECT_TRUE(app.Exit());
}

TEST(NoteWindow, SolidAndNoColorAreasOnScreen) {
  TestFolder folder;
  // A red title bar painted solid (gradient type "None") over a text area
  // without color, which shows the window color.
  folder.WriteIni("[Main]\r\nStickerCount=1\r\n" +
                  Note(0, "Title=Colors\r\nActive=1\r\nTop=300\r\nLeft=300\r\nWidth=220\r\nHeight=80\r\n"
                          "TitleColor=clRed\r\nTitleGradColor=clBlue\r\nTitleGradType=7\r\n"
                          "MemoColor=clNone\r\n"));
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  ASSERT_EQ(Notes(app).size(), 1u);
  Sleep(300);
  SaveScreenshot("note-colors");
  // Inside the border (1 pixel): the title bar is a line and 2 pixels high,
  // the menu button a line high and a line + 2 wide.
  int line = LineHeight();
  EXPECT_EQ(ScreenPixel(300 + 1 + line + 2, 300 + 1 + line - 1), RGB(255, 0, 0));
  EXPECT_EQ(ScreenPixel(300 + 200, 300 + 1 + line + 1), RGB(255, 0, 0));
  EXPECT_EQ(ScreenPixel(300 + 200, 300 + 1 + line + 2), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(ScreenPixel(300 + 100, 300 + 70), GetSysColor(COLOR_WINDOW));
  EXPECT_TRUE(app.Exit());
}

TEST(NoteWindow, StoredNotesComeBackAsTheyWere) {
  TestFolder folder;
  const std::string file =
      "[Main]\r\nCurrentStyle=Default\r\nSchemesCount=0\r\nStickerCount=2\r\n"
      "[Sticker0]\r\nTitle=Shopping\r\nMemoLineCount=3\r\nMemoLine0=>milk\r\nMemoLine1=>\r\n"
      "MemoLine2=>  bread\r\nID=06.12.202623:30:07\r\nActive=1\r\nOnTop=1\r\nMinState=0\r\nTop=40\r\n"
      "Left=600\r\nHeight=70\r\nWidth=260\r\nName=Default\r\nAlphaBlendValue=0\r\n"
      "TitleColor=clWindow\r\nTitleFontColor=clNavy\r\nTitleGradColor=clSkyBlue\r\nTitleGradType=0\r\n"
      "MemoColor=clWhite\r\nMemoFontColor=clBlack\r\nMemoGradColor=clSkyBlue\r\nMemoGradType=0\r\n"
      "[Sticker1]\r\nTitle=Hidden\r\nMemoLineCount=0\r\nID=x\r\nActive=0\r\nOnTop=0\r\nMinState=0\r\n"
      "Top=1\r\nLeft=1\r\nHeight=50\r\nWidth=200\r\nName=\r\nAlphaBlendValue=50\r\n"
      "TitleColor=$00DCDCDC\r\nTitleFontColor=clBlack\r\nTitleGradColor=$00DCDCDC\r\nTitleGradType=3\r\n"
      "MemoColor=$00F0F0F0\r\nMemoFontColor=clBlack\r\nMemoGradColor=$00F0F0F0\r\nMemoGradType=6\r\n";
  folder.WriteIni(file);
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  auto notes = Notes(app);
  ASSERT_EQ(notes.size(), 2u);
  int visible = 0;
  for (HWND note : notes) visible += IsWindowVisible(note) ? 1 : 0;
  EXPECT_EQ(visible, 1);
  ASSERT_TRUE(app.Exit());
  // The hidden note, stored 1 pixel from the work area's corner, was snapped
  // into it when it was placed.
  const std::string stored = "Top=1\r\nLeft=1\r\n";
  std::string expected = file;
  expected.replace(expected.find(stored), stored.size(), "Top=0\r\nLeft=0\r\n");
  EXPECT_EQ(folder.ReadIni(), expected);
}

namespace {

std::string SizedNote(const std::string& title, const std::vector<std::string>& lines, int left, int top, int width,
                      int height, const std::string& more = "") {
  std::string keys = "Title=" + title + "\r\nMemoLineCount=" + std::to_string(lines.size()) + "\r\n";
  for (size_t i = 0; i < lines.size(); ++i) keys += "MemoLine" + std::to_string(i) + "=>" + lines[i] + "\r\n";
  return keys + "Active=1\r\nTop=" + std::to_string(top) + "\r\nLeft=" + std::to_string(left) +
         "\r\nWidth=" + std::to_string(width) + "\r\nHeight=" + std::to_string(height) + "\r\n" + more;
}

SIZE SizeOf(HWND hwnd) {
  RECT r = WindowBounds(hwnd);
  return {r.right - r.left, r.bottom - r.top};
}

// Double-clicks the middle of the note's title.
void DoubleClickTitle(HWND note) {
  SIZE s = SizeOf(note);
  wisplet::Rect title = wisplet::NoteLayout{s.cx, s.cy, NoteLineHeight()}.TitleLabel();
  POINT p{(title.left + title.right) / 2, (title.top + title.bottom) / 2};
  ClientToScreen(note, &p);
  DoubleClick(p.x, p.y);
}

}  // namespace

TEST(NoteWindow, AStoredSizeBelowTheMinimumGivesTheMinimum) {
  int line = LineHeight();
  struct Case {
    int width, height;
    SIZE size;
  } cases[] = {
      {50, 5, {200, line + 4}},   {199, line + 3, {200, line + 4}}, {200, line + 4, {200, line + 4}},
      {0, 0, {200, line + 4}},    {-40, -40, {200, line + 4}},      {150, 100, {200, 100}},
      {420, 10, {420, line + 4}}, {201, line + 5, {201, line + 5}},
  };
  std::vector<std::string> notes;
  for (size_t i = 0; i < std::size(cases); ++i)
    notes.push_back(SizedNote("Small", {"text"}, 40 + 480 * int(i % 2), 40 + 150 * int(i / 2), cases[i].width,
                              cases[i].height));
  TestFolder folder;
  folder.WriteIni(NotesIni(notes));
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  for (size_t i = 0; i < std::size(cases); ++i) {
    HWND note = NoteWindowAt(app, 40 + 480 * int(i % 2), 40 + 150 * int(i / 2));
    ASSERT_NE(note, nullptr) << i;
    SIZE s = SizeOf(note);
    EXPECT_EQ(s.cx, cases[i].size.cx) << cases[i].width << "x" << cases[i].height;
    EXPECT_EQ(s.cy, cases[i].size.cy) << cases[i].width << "x" << cases[i].height;
  }
  EXPECT_TRUE(app.Exit());
}

// Rolling a note up and down again gives it the natural size of its title and
// text, which is what the note has after fitting itself to them.
TEST(NoteWindow, NaturalSizeFollowsTitleAndText) {
  int line = LineHeight();
  int buttons = 4 * (line + 2);
  const std::string wideTitle = "A title far too wide for the narrowest note there is";
  const std::string longWord = "Pneumonoultramicroscopicsilicovolcanoconiosis-and-then-some-more";
  const std::string sentence = "The quick brown fox jumps over the lazy dog and keeps running far away";
  SIZE wide = NoteTextExtent(wideTitle, true);
  SIZE word = NoteTextExtent(longWord, false);
  SIZE wrapped = NoteTextExtent(sentence, false, 194);
  ASSERT_GT(wide.cx + buttons + 10, 200);
  ASSERT_GT(word.cx + 6, 200);
  ASSERT_GE(wrapped.cy, 2 * line) << "the sentence should wrap";
  struct Case {
    const char* what;
    std::string title;
    std::vector<std::string> lines;
    SIZE size;
  } cases[] = {
      {"empty title and text: two lines and 6", "", {}, {200, 2 * line + 6}},
      {"short title, one line", "Hi", {"there"}, {200, 2 * line + 6}},
      {"title wider than the room beside the buttons", wideTitle, {"x"}, {wide.cx + buttons + 10, 2 * line + 6}},
      {"a word wider than the note", "Word", {longWord}, {word.cx + 6, 2 * line + 6}},
      {"text wrapped at the note's width less 6", "Wrap", {sentence}, {200, line + wrapped.cy + 6}},
      {"empty line in the middle", "Lines", {"a", "", "b"}, {200, 4 * line + 6}},
      {"ampersands", "A&&B &C", {"x&y"}, {200, 2 * line + 6}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TestFolder folder;
    folder.WriteIni(NotesIni({SizedNote(c.title, c.lines, 200, 200, 600, 300)}));
    AppProcess app(folder.Exe());
    ASSERT_TRUE(app.WaitUp());
    HWND note = NoteWindowAt(app, 200, 200);
    ASSERT_NE(note, nullptr);
    ASSERT_EQ(SizeOf(note).cx, 600);  // the stored size first
    DoubleClickTitle(note);
    ASSERT_TRUE(WaitUntil([&] { return SizeOf(note).cx == 200 && SizeOf(note).cy == line + 4; }, 3000))
        << "not rolled up";
    MouseMove(1000, 5);
    Sleep(600);  // so that the next two clicks are a double click of their own
    DoubleClickTitle(note);
    EXPECT_TRUE(WaitUntil([&] { return SizeOf(note).cy != line + 4; }, 3000)) << "not rolled down";
    Sleep(100);
    EXPECT_EQ(SizeOf(note).cx, c.size.cx);
    EXPECT_EQ(SizeOf(note).cy, c.size.cy);
    EXPECT_TRUE(app.Exit());
  }
}

namespace {

std::string Hex(TColor c) {
  char text[16];
  snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(c));
  return text;
}

struct Scheme {
  TColor title, titleGrad;
  int titleType;
  TColor memo, memoGrad;
  int memoType;
};

std::string SchemeKeys(const Scheme& s) {
  return "TitleColor=" + Hex(s.title) + "\r\nTitleGradColor=" + Hex(s.titleGrad) +
         "\r\nTitleGradType=" + std::to_string(s.titleType) + "\r\nMemoColor=" + Hex(s.memo) +
         "\r\nMemoGradColor=" + Hex(s.memoGrad) + "\r\nMemoGradType=" + std::to_string(s.memoType) +
         "\r\nTitleFontColor=clNavy\r\nMemoFontColor=clMaroon\r\n";
}

// A panel as the note sets it up: no color switches it off, type 7 paints
// the from-color alone.
wisplet::TGradient Panel(TColor from, TColor to, int type) {
  wisplet::TGradient g;
  g.SetActive(from != wisplet::clNone);
  g.SetFromColor(from, wisplet::ResolveColor);
  g.SetToColor(type == 7 ? from : to, wisplet::ResolveColor);
  g.SetOrientation(static_cast<wisplet::TglGradientDir>(type == 7 ? 0 : type));
  return g;
}

// What the note's client area should show, without its title, text and
// glyphs: the text-area panel over the whole note, the title panel over the
// title bar, each clipped to itself, over the window color.
wisplet::MemorySurface ExpectedPanels(const Scheme& s, int width, int height, int line) {
  wisplet::MemorySurface memo(width, height, wisplet::ResolveColor(wisplet::clWindow));
  wisplet::GradientFill(memo, {0, 0, width, height}, Panel(s.memo, s.memoGrad, s.memoType));
  wisplet::MemorySurface title(width, line + 2);
  for (int y = 0; y < line + 2; ++y)
    for (int x = 0; x < width; ++x) title.SetPixel(x, y, memo.Pixel(x, y));
  wisplet::GradientFill(title, {0, 0, width, line + 2}, Panel(s.title, s.titleGrad, s.titleType));
  for (int y = 0; y < line + 2; ++y)
    for (int x = 0; x < width; ++x) memo.SetPixel(x, y, title.Pixel(x, y));
  return memo;
}

}  // namespace

TEST(NoteWindow, GradientsOnScreenAreThePaintersPixels) {
  const TColor red = wisplet::Rgb(220, 20, 30), blue = wisplet::Rgb(10, 40, 230);
  const TColor yellow = wisplet::Rgb(250, 240, 80), green = wisplet::Rgb(20, 160, 60);
  const TColor white = wisplet::Rgb(255, 255, 255), black = wisplet::Rgb(0, 0, 0);
  struct Case {
    Scheme scheme;
    std::string title;
    std::vector<std::string> lines;
  } cases[] = {
      {{red, blue, 0, yellow, green, 1}, "", {}},      // horizontal over vertical
      {{blue, red, 1, white, black, 2}, "", {}},       // vertical over left bias
      {{green, yellow, 2, black, white, 3}, "", {}},   // left bias over right bias
      {{yellow, green, 3, red, blue, 4}, "", {}},      // right bias over rectangle
      {{black, white, 4, blue, yellow, 5}, "", {}},    // rectangle over horizontal convergent
      {{white, blue, 5, green, red, 6}, "", {}},       // horizontal convergent over vertical convergent
      {{red, yellow, 6, yellow, blue, 7}, "", {}},     // vertical convergent over solid
      {{wisplet::clNone, red, 0, blue, white, 0}, "", {}},  // no title color: the text area shows
      {{green, red, 7, wisplet::clNone, black, 1}, "", {}},  // solid title over the window color
      // With a title and text, whose pixels are left out of the comparison.
      {{white, yellow, 0, yellow, white, 4}, "Shopping", {"milk", "bread", "&& butter"}},
      {{blue, white, 1, white, wisplet::Rgb(200, 220, 255), 2}, "Call &back", {"Tuesday, 10:30", "\tabout the offer"}},
      {{green, white, 5, wisplet::clNone, 0, 0}, "Ideas", {"A note whose text wraps at the width of the note, twice."}},
  };
  constexpr int kWidth = 240, kHeight = 110;
  auto position = [](size_t i) { return POINT{40 + 320 * LONG(i % 3), 30 + 170 * LONG(i / 3)}; };
  std::vector<std::string> notes;
  for (size_t i = 0; i < std::size(cases); ++i)
    notes.push_back(SizedNote(cases[i].title, cases[i].lines, position(i).x, position(i).y, kWidth, kHeight,
                              SchemeKeys(cases[i].scheme)));
  TestFolder folder;
  folder.WriteIni(NotesIni(notes));
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  MouseMove(1000, 5);
  int line = LineHeight();
  ASSERT_TRUE(WaitUntil([&] { return NoteWindows(app).size() == notes.size(); }, 5000));
  Sleep(500);  // let every note paint
  SaveScreenshot("note-schemes");

  // The glyphs of the buttons, white being transparent (the on-top button
  // shows the sideways pin: the notes are not on top).
  wisplet::NoteLayout layout{kWidth, kHeight, line};
  struct Button {
    wisplet::Rect rect;
    std::vector<COLORREF> glyph;
  } buttons[] = {{layout.MenuButton(), GlyphPixels(folder.Exe(), 101)},
                 {layout.HideButton(), GlyphPixels(folder.Exe(), 105)},
                 {layout.OnTopButton(), GlyphPixels(folder.Exe(), 110)},
                 {layout.CloseButton(), GlyphPixels(folder.Exe(), 115)}};
  for (const Button& b : buttons) ASSERT_EQ(b.glyph.size(), 256u);
  auto inside = [](const wisplet::Rect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
  };

  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("note " + std::to_string(i) + " " + cases[i].title);
    HWND note = NoteWindowAt(app, position(i).x, position(i).y);
    ASSERT_NE(note, nullptr);
    wisplet::MemorySurface expected = ExpectedPanels(cases[i].scheme, kWidth, kHeight, line);
    // Where text may be drawn: the whole title box, and the text box as high
    // as the wrapped text. (Across its whole width: with the font that stands
    // in for "MS Sans Serif" here, glyphs reach several pixels past their
    // advance, so the ink of a line is wider than its measured width.)
    wisplet::Rect title = cases[i].title.empty() ? wisplet::Rect{} : layout.TitleLabel();
    wisplet::Rect text{};
    if (!cases[i].lines.empty()) {
      std::string memo;
      for (const auto& l : cases[i].lines) memo += (memo.empty() ? "" : "\r\n") + l;
      SIZE extent = NoteTextExtent(memo, false, layout.MemoLabel().right - layout.MemoLabel().left);
      text = {layout.MemoLabel().left, layout.MemoLabel().top, layout.MemoLabel().right,
              layout.MemoLabel().top + extent.cy};
    }
    POINT origin{0, 0};
    ClientToScreen(note, &origin);
    ScreenImage screen(RECT{origin.x, origin.y, origin.x + kWidth - 2, origin.y + kHeight - 2});
    int wrong = 0, compared = 0, glyphPixels = 0;
    std::string first;
    for (int y = 0; y < kHeight - 2; ++y)
      for (int x = 0; x < kWidth - 2; ++x) {
        if (inside(title, x, y) || inside(text, x, y)) continue;
        COLORREF want = expected.Pixel(x, y);
        for (const Button& b : buttons) {
          int gx = x - b.rect.left, gy = y - b.rect.top;
          if (!inside(b.rect, x, y) || gx >= 16 || gy >= 16) continue;
          COLORREF g = b.glyph[gy * 16 + gx];
          if (g != RGB(255, 255, 255)) {
            want = g;
            ++glyphPixels;
          }
        }
        ++compared;
        COLORREF got = screen.Pixel(origin.x + x, origin.y + y);
        if (got != want && wrong++ == 0)
          first = std::to_string(x) + "," + std::to_string(y) + ": " + Hex(got) + " instead of " + Hex(want);
      }
    EXPECT_GT(compared, (kWidth - 2) * (kHeight - 2) / 2);
    EXPECT_GT(glyphPixels, 40);
    EXPECT_EQ(wrong, 0) << "of " << compared << ", first at " << first;
  }
  EXPECT_TRUE(app.Exit());
}
