// Notes dragged and resized with the real mouse snap to the work area's edges
// and to each other, keep their docked corner when rolled up and down, lay
// out their title and text after a resize, and come back inside when the
// display shrinks.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "harness.h"
#include "note_fixture.h"

using namespace e2e;

namespace {

const RECT kWorkArea{0, 0, 1024, 748};  // the test desktop's taskbar takes the bottom 20 pixels

bool At(const ShownNote& note, LONG left, LONG top) {
  return WaitUntil([&] { return note.Bounds().left == left && note.Bounds().top == top; }, 3000);
}

std::string Where(const ShownNote& note) {
  RECT r = note.Bounds();
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
         std::to_string(r.bottom - r.top);
}

// Drags the note by its text so that its top-left corner goes to (left, top).
void DragTo(const ShownNote& note, LONG left, LONG top) {
  POINT from = note.Text();
  Drag(from, {from.x + left - note.Bounds().left, from.y + top - note.Bounds().top});
}

// Pixels of a rectangle of the screen that differ from the background.
struct Ink {
  int count = 0;
  LONG left = LONG_MAX, right = LONG_MIN;
};
Ink InkIn(const RECT& area, COLORREF background) {
  ScreenImage screen(area);
  Ink ink;
  for (LONG y = area.top; y < area.bottom; ++y)
    for (LONG x = area.left; x < area.right; ++x)
      if (screen.Pixel(x, y) != background) {
        ++ink.count;
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x + 1);
      }
  return ink;
}

// Sets the display mode of the test desktop, and puts it back at the end.
class DisplayMode {
 public:
  DisplayMode() = default;
  ~DisplayMode() {
    if (changed_) Set(1024, 768);
    // Programs started later read the work area once, so the taskbar must be
    // back at the bottom first.
    WaitUntil(
        [] {
          HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
          return tray && WindowBounds(tray).top == kWorkArea.bottom;
        },
        10000);
  }
  bool Set(DWORD width, DWORD height) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    changed_ = true;
    return ChangeDisplaySettingsA(&mode, 0) == DISP_CHANGE_SUCCESSFUL;
  }

 private:
  bool changed_ = false;
};

class NoteSnapping : public NoteFixture {};

}  // namespace

TEST_F(NoteSnapping, TheWorkAreasEdgesAndOtherNotesPullWithinTenPixels) {
  Start({StoredNote("Moved", {"drag me"}, 300, 250, 250, 80), StoredNote("Still", {"text"}, 500, 450, 250, 80)});
  ShownNote note = NoteAt(300, 250), still = NoteAt(500, 450);
  ASSERT_TRUE(note.hwnd && still.hwnd);
  struct Step {
    const char* what;
    LONG left, top;  // where the note is dropped
    LONG endLeft, endTop;
  } steps[] = {
      {"8 from the left edge: flush", 8, 250, 0, 250},
      {"11 from the left edge: stays", 11, 250, 11, 250},
      {"8 from the right edge: flush", kWorkArea.right - 250 - 8, 300, kWorkArea.right - 250, 300},
      {"8 above the taskbar: flush", 400, kWorkArea.bottom - 80 - 8, 400, kWorkArea.bottom - 80},
      {"partly under the taskbar: pulled back", 400, kWorkArea.bottom - 40, 400, kWorkArea.bottom - 80},
      {"6 right of the other note: edge to edge", 750 + 6, 455, 750, 455},
      {"6 below the other note: edge to edge", 400, 530 + 6, 400, 530},
      {"11 from the top: stays", 400, 11, 400, 11},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    DragTo(note, s.left, s.top);
    EXPECT_TRUE(At(note, s.endLeft, s.endTop)) << Where(note);
  }
  ASSERT_TRUE(app_->Exit());
  EXPECT_EQ(Saved("Sticker0", "Left"), "400");
  EXPECT_EQ(Saved("Sticker0", "Top"), "11");
}

TEST_F(NoteSnapping, ANoteInTheBottomRightCornerRollsUpAndDownThere) {
  Start({StoredNote("Corner", {"one", "two"}, 500, 400, 250, 100)});
  ShownNote note = NoteAt(500, 400);
  ASSERT_NE(note.hwnd, nullptr);
  DragTo(note, kWorkArea.right - 250 - 5, kWorkArea.bottom - 100 - 5);
  ASSERT_TRUE(At(note, kWorkArea.right - 250, kWorkArea.bottom - 100)) << Where(note);
  const int line = NoteLineHeight();
  const SIZE rolled{200, line + 4}, natural{200, 3 * line + 6};
  for (SIZE size : {rolled, natural, rolled}) {
    POINT title = note.Title();
    DoubleClickAndHold(title.x, title.y);
    EXPECT_TRUE(WaitUntil([&] { return note.Width() == size.cx && note.Height() == size.cy; }, 3000)) << Where(note);
    Sleep(200);  // the X server learns the note's new place
    MouseRelease();
    EXPECT_EQ(note.Bounds().right, kWorkArea.right) << Where(note);
    EXPECT_EQ(note.Bounds().bottom, kWorkArea.bottom) << Where(note);
    Park();
    Sleep(600);  // the next double click must not pair with this one's second click
  }
  ASSERT_TRUE(app_->Exit());
  EXPECT_EQ(Saved("Sticker0", "Left"), std::to_string(kWorkArea.right - rolled.cx));
  EXPECT_EQ(Saved("Sticker0", "Top"), std::to_string(kWorkArea.bottom - rolled.cy));
}

TEST_F(NoteSnapping, ACornerResizeLaysOutTitleAndTextAgain) {
  const std::string sentence = "This sentence wraps in a narrow note only";
  const int line = NoteLineHeight();
  const SIZE oneLine = NoteTextExtent(sentence, false);
  ASSERT_GT(oneLine.cx, 210) << "must wrap well inside a note 200 wide";
  ASSERT_LE(oneLine.cx, 344) << "must fit a note 350 wide";
  Start({StoredNote("Wide", {sentence}, 300, 250, 200, 80,
                    "TitleColor=clYellow\r\nTitleGradType=7\r\nTitleFontColor=clRed\r\n"
                    "MemoColor=clWhite\r\nMemoGradType=7\r\nMemoFontColor=clBlue\r\n")});
  ShownNote note = NoteAt(300, 250);
  ASSERT_NE(note.hwnd, nullptr);
  Park();
  // The text in its first and second line, the title in its box.
  auto textLine = [&](int n) {
    Rect text = note.Layout().MemoLabel();
    POINT a = note.At(text.left, text.top + n * line), b = note.At(text.right, text.top + (n + 1) * line);
    return InkIn({a.x, a.y, b.x, b.y}, RGB(255, 255, 255));
  };
  auto title = [&] {
    Rect box = note.Layout().TitleLabel();
    POINT a = note.At(box.left, box.top), b = note.At(box.right, box.bottom);
    return InkIn({a.x, a.y, b.x, b.y}, RGB(255, 255, 0));
  };
  ASSERT_TRUE(WaitUntil([&] { return textLine(1).count > 0; }, 3000)) << "the text does not wrap";

  POINT corner = note.At(note.Width() - 3, note.Height() - 3);
  Drag(corner, {corner.x + 150, corner.y + 30});
  ASSERT_TRUE(WaitUntil([&] { return note.Width() == 350 && note.Height() == 110; }, 3000)) << Where(note);
  EXPECT_EQ(note.Bounds().left, 300);
  EXPECT_EQ(note.Bounds().top, 250);
  Park();
  EXPECT_TRUE(WaitUntil([&] { return textLine(1).count == 0; }, 3000)) << "the text still wraps";
  Ink first = textLine(0), heading = title();
  EXPECT_GT(first.right, note.At(200, 0).x) << "the text does not use the new width";
  EXPECT_LE(first.right, note.At(346, 0).x) << "the text reaches beyond its box";
  Rect box = note.Layout().TitleLabel();
  LONG middle = note.At((box.left + box.right) / 2, 0).x;
  ASSERT_GT(heading.count, 0);
  EXPECT_NEAR((heading.left + heading.right) / 2, middle, 3) << "the title is not centred in its new box";
  EXPECT_TRUE(app_->Exit());
}

// A note stored outside every display comes back inside it, one stored
// lower than its text would reach comes back exactly where it was, and a note
// left outside a display that shrank comes back without being clicked.
TEST_F(NoteSnapping, NotesComeBackInsideWhenTheDisplayShrinks) {
  Start({StoredNote("Far right", {"text"}, 700, 450, 250, 100), StoredNote("Lost", {"text"}, 3000, 2000),
         StoredNote("Short", {"one", "two", "three", "four"}, 100, kWorkArea.bottom - 45, 200, 30)});
  ShownNote right = NoteAt(700, 450);
  ShownNote lost = NoteAt(kWorkArea.right - 200, kWorkArea.bottom - 50);
  ASSERT_TRUE(right.hwnd && lost.hwnd) << "the lost note is not in the corner";
  ShownNote kept = NoteAt(100, kWorkArea.bottom - 45);
  ASSERT_NE(kept.hwnd, nullptr);
  EXPECT_EQ(kept.Height(), 30);
  DisplayMode display;
  ASSERT_TRUE(display.Set(800, 600));
  auto inside = [](const ShownNote& n) {
    RECT r = n.Bounds();
    return r.left >= 0 && r.top >= 0 && r.right <= 800 && r.bottom <= 600;
  };
  EXPECT_TRUE(WaitUntil([&] { return inside(right) && inside(lost); }, 5000))
      << Where(right) << " and " << Where(lost);
  EXPECT_EQ(right.Bounds().right, 800) << Where(right);
  EXPECT_TRUE(app_->Exit());
}
