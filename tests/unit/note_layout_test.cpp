#include "notes/note_layout.h"

#include <gtest/gtest.h>

using namespace wisplet;

namespace {
constexpr int kLine = 13;  // "MS Sans Serif" 8 pt at 96 dpi

NoteLayout Layout(int w, int h) { return NoteLayout{w, h, kLine}; }

// Words of a fixed width, wrapped greedily like the label does.
std::function<TextExtent(int)> Memo(int lines, int widest) {
  return [=](int) { return TextExtent{widest, lines * kLine}; };
}
}  // namespace

TEST(NoteLayout, PartsOfADefaultNote) {
  NoteLayout l = Layout(200, 50);
  EXPECT_EQ(l.ButtonWidth(), 15);
  EXPECT_EQ(l.MinHeight(), 17);
  EXPECT_EQ(l.MenuButton(), (Rect{0, 0, 15, 13}));
  EXPECT_EQ(l.CloseButton(), (Rect{184, 0, 199, 13}));
  EXPECT_EQ(l.OnTopButton(), (Rect{166, 0, 181, 13}));
  EXPECT_EQ(l.HideButton(), (Rect{148, 0, 163, 13}));
  EXPECT_EQ(l.TitleLabel(), (Rect{16, 0, 16 + 130, 13}));
  EXPECT_EQ(l.MemoLabel(), (Rect{2, 15, 196, 46}));
  EXPECT_EQ(l.TitleBevel(), (Rect{0, 0, 200, 15}));
  EXPECT_EQ(l.MemoBevel(), (Rect{0, 0, 200, 50}));
}

TEST(NoteLayout, HitTestFollowsTheZOrder) {
  NoteLayout l = Layout(200, 50);
  struct Case {
    int x, y;
    NotePart part;
  } cases[] = {
      {0, 0, NotePart::MenuButton},    {14, 12, NotePart::MenuButton},  {15, 5, NotePart::TitleBevel},
      {16, 5, NotePart::TitleLabel},   {145, 12, NotePart::TitleLabel}, {146, 5, NotePart::TitleBevel},
      {150, 5, NotePart::HideButton},  {170, 5, NotePart::OnTopButton}, {190, 5, NotePart::CloseButton},
      {100, 13, NotePart::TitleBevel}, {100, 14, NotePart::TitleBevel}, {100, 15, NotePart::MemoLabel},
      {1, 30, NotePart::MemoBevel},    {2, 30, NotePart::MemoLabel},    {195, 45, NotePart::MemoLabel},
      {196, 45, NotePart::MemoBevel},  {197, 47, NotePart::MemoBevel},  {100, 46, NotePart::MemoBevel},
  };
  for (const auto& c : cases) EXPECT_EQ(l.HitTest(c.x, c.y), c.part) << c.x << "," << c.y;
}

TEST(NoteLayout, ResizeZoneOnlyOnTheBareCornerMargin) {
  NoteLayout l = Layout(200, 50);
  // The client area is 198 x 48; the zone is 190..200 x 40..50 in the
  // coordinates of the part that receives the press.
  struct Case {
    int x, y;
    bool zone;
  } cases[] = {
      {197, 47, true},  {196, 40, true},  {190, 47, true},   {189, 47, false},
      {197, 39, false}, {195, 45, false},  // on the text label near the corner: a move
      {100, 47, false}, {197, 10, false},
  };
  for (const auto& c : cases) {
    NotePart part = l.HitTest(c.x, c.y);
    EXPECT_EQ(l.InResizeZone(part, c.x, c.y), c.zone) << c.x << "," << c.y;
  }
}

TEST(FitToContent, SizesFromTitleAndText) {
  struct Case {
    const char* what;
    int titleWidth;
    std::function<TextExtent(int)> memo;
    TextExtent size;
  } cases[] = {
      {"empty title and text: two lines + 6", 3, Memo(1, 3), {200, 13 + 13 + 6}},
      {"title that fits", 130, Memo(1, 50), {200, 32}},
      {"wide title widens the note", 131, Memo(1, 50), {131 + 60 + 10, 32}},
      {"wide title, long text", 300, Memo(3, 300), {370, 13 + 39 + 6}},
      {"long unbreakable word", 10, Memo(2, 250), {256, 13 + 26 + 6}},
      {"text exactly as wide as the label", 10, Memo(1, 194), {200, 32}},
  };
  for (const auto& c : cases) {
    TextExtent got = FitToContent(c.titleWidth, kLine, c.memo);
    EXPECT_EQ(got.width, c.size.width) << c.what;
    EXPECT_EQ(got.height, c.size.height) << c.what;
  }
}

TEST(FitToContent, TheTextIsWrappedToTheWidthTheTitleGives) {
  int wrapWidth = -1;
  FitToContent(300, kLine, [&](int w) {
    wrapWidth = w;
    return TextExtent{10, 13};
  });
  EXPECT_EQ(wrapWidth, 300 + 60 + 10 - 6);
}

TEST(ConstrainNoteSize, NeverBelowTheMinimum) {
  EXPECT_EQ(ConstrainNoteSize(10, 5, kLine).width, 200);
  EXPECT_EQ(ConstrainNoteSize(10, 5, kLine).height, 17);
  EXPECT_EQ(ConstrainNoteSize(500, 400, kLine).width, 500);
  EXPECT_EQ(ConstrainNoteSize(-3, -3, kLine).height, 17);
}

// Every size follows the measured line height: 13 pixels on Windows at 96
// dpi, 12 in the Wine prefix the end-to-end tests run in.
TEST(NoteLayout, PartsFollowTheLineHeight) {
  struct Case {
    int line;
    int button, titleBar, minHeight;
    Rect menu, close, onTop, hide, title, memo;
  } cases[] = {
      {13, 15, 15, 17, {0, 0, 15, 13}, {234, 0, 249, 13}, {216, 0, 231, 13}, {198, 0, 213, 13},
       {16, 0, 16 + 180, 13}, {2, 15, 246, 116}},
      {12, 14, 14, 16, {0, 0, 14, 12}, {235, 0, 249, 12}, {218, 0, 232, 12}, {201, 0, 215, 12},
       {15, 0, 15 + 184, 12}, {2, 14, 246, 116}},
      {20, 22, 22, 24, {0, 0, 22, 20}, {227, 0, 249, 20}, {202, 0, 224, 20}, {177, 0, 199, 20},
       {23, 0, 23 + 152, 20}, {2, 22, 246, 116}},
  };
  for (const auto& c : cases) {
    NoteLayout l{250, 120, c.line};
    SCOPED_TRACE(c.line);
    EXPECT_EQ(l.ButtonWidth(), c.button);
    EXPECT_EQ(l.TitleBarHeight(), c.titleBar);
    EXPECT_EQ(l.MinHeight(), c.minHeight);
    EXPECT_EQ(l.MenuButton(), c.menu);
    EXPECT_EQ(l.CloseButton(), c.close);
    EXPECT_EQ(l.OnTopButton(), c.onTop);
    EXPECT_EQ(l.HideButton(), c.hide);
    EXPECT_EQ(l.TitleLabel(), c.title);
    EXPECT_EQ(l.MemoLabel(), c.memo);
    EXPECT_EQ(l.TitleBevel(), (Rect{0, 0, 250, c.titleBar}));
    EXPECT_EQ(l.MemoBevel(), (Rect{0, 0, 250, 120}));
    EXPECT_EQ(ConstrainNoteSize(0, 0, c.line).height, c.minHeight);
  }
}

// The corner zone of a 250 x 120 note with 12-pixel lines, as the end-to-end
// drags use it: 10 pixels from the outer edges, on the bare margin only.
TEST(NoteLayout, ResizeZoneBoundariesOfALargerNote) {
  NoteLayout l{250, 120, 12};
  struct Case {
    int x, y;
    bool zone;
  } cases[] = {
      {247, 117, true},  {240, 117, true},  {239, 117, false}, {247, 110, true},  {247, 109, false},
      {245, 115, false},  // the text label's last pixel
      {246, 115, true},   {245, 116, true},  {0, 60, false},   {124, 5, false},
  };
  for (const auto& c : cases) {
    NotePart part = l.HitTest(c.x, c.y);
    EXPECT_EQ(l.InResizeZone(part, c.x, c.y), c.zone) << c.x << "," << c.y;
  }
}
