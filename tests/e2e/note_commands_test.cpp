// Notes driven with the real mouse and keyboard: copying, closing, hiding,
// moving and sizing, rolling up, the on-top button, translucency, tooltips
// and the context menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "harness.h"
#include "note_fixture.h"
#include "notes/note_layout.h"

using namespace e2e;

namespace {

// Glyph numbers of the title-bar buttons (normal, pressed).
constexpr int kPinSide = 110, kPinSideDown = 111, kPinFront = 112;

// Presses modifier+key with SendInput and holds the modifier until the
// effect shows. Soon after a window is activated Wine brings its modifier
// state in line with the X keyboard, which never saw SendInput's keys, and so
// may drop the modifier; that shows as the modifier being up although it was
// never released, and the chord is then pressed again. A chord that arrived
// whole and did nothing is not repeated.
bool ChordUntil(WORD modifier, WORD key, const std::function<bool()>& done) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    KeyDown(modifier);
    KeyDown(key);
    KeyUp(key);
    bool seen = WaitUntil(done, 3000);
    bool held = GetAsyncKeyState(modifier) < 0;
    KeyUp(modifier);
    if (seen || held) return seen;
  }
  return false;
}

std::string Describe(POINT p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

class NoteCommands : public NoteFixture {
 public:  // the case tables call these through the fixture
  // A click on the bare margin, which makes the note the active window.
  void Activate(const ShownNote& note) {
    POINT p = note.Margin();
    Click(p.x, p.y);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == note.hwnd; }, 3000)) << "note not activated";
  }

  HWND WaitForMenu() {
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = ShownMenu(*app_)) != nullptr; }, 3000);
    return menu;
  }
  bool WaitMenuClosed() {
    return WaitUntil([&] { return ShownMenu(*app_) == nullptr; }, 3000);
  }
  // Right click and the menu that it opens (null if none within a few seconds).
  HWND RightClickMenu(POINT p) {
    Click(p.x, p.y, MouseButton::Right);
    return WaitForMenu();
  }
  // Picks the n-th item of an open menu with the keyboard (separators are skipped).
  void PickMenuItem(int n) {
    for (int i = 0; i < n; ++i) PressChord({VK_DOWN});
    PressChord({VK_RETURN});
    EXPECT_TRUE(WaitMenuClosed());
  }

  // Clicks a button of the shown message box with the mouse, once the button
  // is what lies under the pointer; on a busy machine a box that has just
  // appeared may not take the first click, so it is clicked again while it
  // stays open.
  void ClickBoxButton(const MessageBoxInfo& box, int id) {
    HWND button = GetDlgItem(box.hwnd, id);
    ASSERT_NE(button, nullptr);
    auto closed = [&] { return !IsWindow(box.hwnd) || !IsWindowVisible(box.hwnd); };
    for (int attempt = 0; attempt < 3 && !closed(); ++attempt) {
      RECT r = WindowBounds(button);
      POINT center{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      MouseMove(center.x, center.y);
      WaitUntil([&] { return WindowFromPoint(center) == button; }, 2000);
      Click(center.x, center.y);
      WaitUntil(closed, 3000);
    }
    EXPECT_TRUE(closed()) << "the message box stays open";
  }

};

// The glyph bitmaps built into the program, read from its file.
class Glyphs {
 public:
  explicit Glyphs(const std::string& exe) : exe_(exe) {}
  std::vector<COLORREF> Pixels(int id) const { return GlyphPixels(exe_, id); }

 private:
  std::string exe_;
};

// Whether the button shows the glyph: every pixel of it that is not white
// (the transparent color), within the button, is on the screen.
::testing::AssertionResult ShowsGlyph(const ShownNote& note, const Rect& button, const std::vector<COLORREF>& glyph) {
  if (glyph.size() != 256) return ::testing::AssertionFailure() << "glyph not loaded";
  POINT origin = note.At(button.left, button.top);
  ScreenImage screen(RECT{origin.x, origin.y, origin.x + 16, origin.y + 16});
  int drawn = 0, wrong = 0;
  std::string first;
  for (int y = 0; y < std::min(16, button.bottom - button.top); ++y)
    for (int x = 0; x < std::min(16, button.right - button.left); ++x) {
      COLORREF g = glyph[y * 16 + x];
      if (g == RGB(255, 255, 255)) continue;
      ++drawn;
      if (screen.Pixel(origin.x + x, origin.y + y) != g && wrong++ == 0)
        first = std::to_string(x) + "," + std::to_string(y);
    }
  if (drawn == 0) return ::testing::AssertionFailure() << "glyph has no visible pixel";
  if (wrong) return ::testing::AssertionFailure() << wrong << " of " << drawn << " pixels differ, first at " << first;
  return ::testing::AssertionSuccess();
}

}  // namespace

// The 8-bit text, its Unicode form and a locale of the same code page: a
// program that asks for Unicode text reads the letters the note shows. In the
// test prefix that code page is 1252, which agrees with ISO 8859-1 for the
// letters used here.
TEST_F(NoteCommands, CopyPutsTitleAndTextOnTheClipboardAsTextAndUnicode) {
  ASSERT_EQ(GetACP(), 1252u) << "the expected Unicode texts assume a Western code page";
  Start({StoredNote("Shopping", {"milk", "bread"}, 100, 100, 220, 80),
         StoredNote("A&B", {}, 450, 100, 220, 80),
         StoredNote("Tabs", {"a\tb", "", "  c"}, 100, 350, 220, 80),
         StoredNote("Gr\xFC\xDF" "e", {"Stra\xDF" "e"}, 450, 350, 220, 80)});
  ShownNote shopping = NoteAt(100, 100), ampersand = NoteAt(450, 100), tabs = NoteAt(100, 350);
  ShownNote accented = NoteAt(450, 350);
  struct Case {
    const char* way;
    ShownNote note;
    std::function<void(NoteCommands&, const ShownNote&)> copy;
    std::string text;
  } cases[] = {
      {"Ctrl+C", shopping,
       [](NoteCommands& t, const ShownNote& n) {
         t.Activate(n);
         ChordUntil(VK_CONTROL, 'C', [] { return ClipboardText() != "before the copy"; });
       },
       "Shopping:\r\nmilk\r\nbread\r\n"},
      {"third menu item, from a right click", shopping,
       [](NoteCommands& t, const ShownNote& n) {
         ASSERT_NE(t.RightClickMenu(n.Text()), nullptr);
         t.PickMenuItem(3);
       },
       "Shopping:\r\nmilk\r\nbread\r\n"},
      {"menu button, then the item's underlined letter", shopping,
       [](NoteCommands& t, const ShownNote& n) {
         POINT p = n.CenterOf(n.Layout().MenuButton());
         Click(p.x, p.y);
         ASSERT_NE(t.WaitForMenu(), nullptr);
         PressChord({'C'});
         EXPECT_TRUE(t.WaitMenuClosed());
       },
       "Shopping:\r\nmilk\r\nbread\r\n"},
      {"Ctrl+C, title with an ampersand, no text", ampersand,
       [](NoteCommands& t, const ShownNote& n) {
         t.Activate(n);
         ChordUntil(VK_CONTROL, 'C', [] { return ClipboardText() != "before the copy"; });
       },
       "A&B:\r\n\r\n"},
      {"Ctrl+C, tab, empty line and leading blanks", tabs,
       [](NoteCommands& t, const ShownNote& n) {
         t.Activate(n);
         ChordUntil(VK_CONTROL, 'C', [] { return ClipboardText() != "before the copy"; });
       },
       "Tabs:\r\na\tb\r\n\r\n  c\r\n"},
      {"Ctrl+C, accented letters", accented,
       [](NoteCommands& t, const ShownNote& n) {
         t.Activate(n);
         ChordUntil(VK_CONTROL, 'C', [] { return ClipboardText() != "before the copy"; });
       },
       "Gr\xFC\xDF" "e:\r\nStra\xDF" "e\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.way);
    SetClipboardText("before the copy");
    c.copy(*this, c.note);
    ASSERT_TRUE(WaitUntil([] { return ClipboardText() != "before the copy"; }, 3000)) << "nothing copied";
    EXPECT_EQ(ClipboardText(), c.text);
    // Read back as Unicode, the 8-bit text keeps its letters ("Grüße" was
    // "GrьЯe" through the Russian locale it used to carry).
    std::wstring unicode;
    for (char ch : c.text) unicode += static_cast<wchar_t>(static_cast<unsigned char>(ch));
    EXPECT_EQ(ClipboardUnicodeText(), unicode);
    // The locale names the code page of the 8-bit text.
    ASSERT_TRUE(ClipboardLocale().has_value());
    EXPECT_EQ(AnsiCodePageOf(*ClipboardLocale()), GetACP());
  }
  // Shift+Ctrl+C is not the shortcut (the last note is still active).
  SetClipboardText("before the copy");
  ASSERT_EQ(GetForegroundWindow(), accented.hwnd);
  PressChord({VK_SHIFT, VK_CONTROL, 'C'});
  Sleep(300);
  EXPECT_EQ(ClipboardText(), "before the copy");
  EXPECT_TRUE(app_->Exit());
}

TEST_F(NoteCommands, CloseAsksFirstAndRemovesOnlyOnYes) {
  Start({StoredNote("Alpha", {"one"}, 100, 100), StoredNote("Beta", {"two"}, 450, 100),
         StoredNote("Gamma", {"three"}, 100, 350), StoredNote("Delta", {"four"}, 450, 350)});
  ShownNote alpha = NoteAt(100, 100), beta = NoteAt(450, 100), gamma = NoteAt(100, 350);
  ShownNote delta = NoteAt(450, 350);
  auto f10 = [](NoteCommands& t, const ShownNote& n) {
    t.Activate(n);
    PressChord({VK_F10});
  };
  auto closeButton = [](NoteCommands&, const ShownNote& n) {
    POINT p = n.CenterOf(n.Layout().CloseButton());
    Click(p.x, p.y);
  };
  auto menuItem = [](NoteCommands& t, const ShownNote& n) {
    ASSERT_NE(t.RightClickMenu(n.Text()), nullptr);
    t.PickMenuItem(6);
  };
  struct Case {
    const char* what;
    ShownNote note;
    std::string title;
    std::function<void(NoteCommands&, const ShownNote&)> close;
    int answer;
  } cases[] = {
      {"F10, No", alpha, "Alpha", f10, IDNO},
      {"F10, Yes", alpha, "Alpha", f10, IDYES},
      {"close button, Yes", beta, "Beta", closeButton, IDYES},
      {"last menu item, No", gamma, "Gamma", menuItem, IDNO},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.close(*this, c.note);
    auto box = WaitForMessageBox(*app_, 5000);
    ASSERT_TRUE(box.has_value()) << "no question";
    EXPECT_EQ(box->caption, "Close Note");
    EXPECT_EQ(box->text, "Close and remove Note: \"" + c.title + "\" ?");
    EXPECT_NE(GetDlgItem(box->hwnd, IDYES), nullptr);
    EXPECT_NE(GetDlgItem(box->hwnd, IDNO), nullptr);
    EXPECT_EQ(GetDlgItem(box->hwnd, IDCANCEL), nullptr);
    ClickBoxButton(*box, c.answer);
    if (c.answer == IDYES) {
      EXPECT_TRUE(WaitUntil([&] { return !c.note.Visible(); }, 3000)) << "the note is still shown";
    } else {
      Sleep(300);
      EXPECT_TRUE(c.note.Visible());
    }
  }
  EXPECT_TRUE(delta.Visible());
  ASSERT_TRUE(app_->Exit());
  // Removed notes are gone from the file; the others are renumbered in order.
  EXPECT_EQ(Saved("Main", "StickerCount"), "2");
  EXPECT_EQ(Saved("Sticker0", "Title"), "Gamma");
  EXPECT_EQ(Saved("Sticker1", "Title"), "Delta");
  EXPECT_EQ(Saved("Sticker2", "Title"), "<missing>");
}

TEST_F(NoteCommands, HidingKeepsTheNoteInTheFile) {
  Start({StoredNote("Alpha", {"one"}, 100, 100), StoredNote("Beta", {"two"}, 450, 100),
         StoredNote("Gamma", {"three"}, 100, 350), StoredNote("Delta", {"four"}, 450, 350)});
  ShownNote alpha = NoteAt(100, 100), beta = NoteAt(450, 100), gamma = NoteAt(100, 350);
  ShownNote delta = NoteAt(450, 350);

  // Ctrl+H acts when the key is released, not when it goes down.
  Activate(alpha);
  for (int attempt = 0; attempt < 3 && alpha.Visible(); ++attempt) {
    KeyDown(VK_CONTROL);
    KeyDown('H');
    Sleep(300);
    EXPECT_TRUE(alpha.Visible()) << "hidden before the key was released";
    KeyUp('H');
    bool hidden = WaitUntil([&] { return !alpha.Visible(); }, 3000);
    bool held = GetAsyncKeyState(VK_CONTROL) < 0;  // see ChordUntil
    KeyUp(VK_CONTROL);
    if (hidden || held) break;
  }
  EXPECT_FALSE(alpha.Visible());

  POINT hide = beta.CenterOf(beta.Layout().HideButton());
  Click(hide.x, hide.y);
  EXPECT_TRUE(WaitUntil([&] { return !beta.Visible(); }, 3000));

  ASSERT_NE(RightClickMenu(gamma.Text()), nullptr);
  PickMenuItem(5);
  EXPECT_TRUE(WaitUntil([&] { return !gamma.Visible(); }, 3000));

  EXPECT_TRUE(delta.Visible());
  ASSERT_TRUE(app_->Exit());
  EXPECT_EQ(Saved("Main", "StickerCount"), "4");
  const char* titles[] = {"Alpha", "Beta", "Gamma", "Delta"};
  const char* active[] = {"0", "0", "0", "1"};
  for (int i = 0; i < 4; ++i) {
    std::string section = "Sticker" + std::to_string(i);
    EXPECT_EQ(Saved(section, "Title"), titles[i]);
    EXPECT_EQ(Saved(section, "Active"), active[i]) << titles[i];
  }
}

TEST_F(NoteCommands, LeftDragMovesTheNoteAndTheBareCornerResizesIt) {
  constexpr int kLeft = 300, kTop = 250, kWidth = 250, kHeight = 120, kDx = 37, kDy = 23;
  struct Case {
    const char* where;
    std::function<POINT(const NoteLayout&)> client;
    bool resizes;
  } cases[] = {
      {"text-area margin", [](const NoteLayout& l) { return POINT{0, l.height / 2}; }, false},
      {"title text", [](const NoteLayout& l) { return POINT{l.TitleLabel().left + 3, 5}; }, false},
      {"title bar beside the title",
       [](const NoteLayout& l) { return POINT{l.TitleLabel().right, l.lineHeight / 2}; }, false},
      {"note text", [](const NoteLayout& l) { return POINT{l.width / 2, l.height / 2}; }, false},
      {"text next to the corner",
       [](const NoteLayout& l) { return POINT{l.MemoLabel().right - 1, l.MemoLabel().bottom - 1}; }, false},
      {"bare corner", [](const NoteLayout& l) { return POINT{l.width - 3, l.height - 3}; }, true},
      {"bottom margin 10 from the right edge",
       [](const NoteLayout& l) { return POINT{l.width - 10, l.height - 3}; }, true},
      {"bottom margin 11 from the right edge",
       [](const NoteLayout& l) { return POINT{l.width - 11, l.height - 3}; }, false},
      {"right margin 10 from the bottom edge",
       [](const NoteLayout& l) { return POINT{l.width - 3, l.height - 10}; }, true},
      {"right margin 11 from the bottom edge",
       [](const NoteLayout& l) { return POINT{l.width - 3, l.height - 11}; }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    Start({StoredNote("Drag me", {"Some text", "in two lines"}, kLeft, kTop, kWidth, kHeight)});
    ShownNote note = NoteAt(kLeft, kTop);
    ASSERT_NE(note.hwnd, nullptr);
    POINT from = c.client(note.Layout());
    from = note.At(from.x, from.y);
    Drag(from, {from.x + kDx, from.y + kDy});
    RECT expected = c.resizes ? RECT{kLeft, kTop, kLeft + kWidth + kDx, kTop + kHeight + kDy}
                              : RECT{kLeft + kDx, kTop + kDy, kLeft + kWidth + kDx, kTop + kHeight + kDy};
    EXPECT_TRUE(WaitUntil(
        [&] {
          RECT now = note.Bounds();
          return EqualRect(&expected, &now) != FALSE;
        },
        3000))
        << "from " << Describe(from) << ": now " << note.Bounds().left << "," << note.Bounds().top << " "
        << note.Width() << "x" << note.Height();
    ASSERT_TRUE(app_->Exit());
    app_.reset();
    EXPECT_EQ(Saved("Sticker0", "Left"), std::to_string(expected.left));
    EXPECT_EQ(Saved("Sticker0", "Top"), std::to_string(expected.top));
    EXPECT_EQ(Saved("Sticker0", "Width"), std::to_string(expected.right - expected.left));
    EXPECT_EQ(Saved("Sticker0", "Height"), std::to_string(expected.bottom - expected.top));
  }
}

TEST_F(NoteCommands, RightClickOpensTheMenuAtThePointerButNotOnTheButtons) {
  Start({StoredNote("Menu here", {"Some text", "in two lines"}, 300, 250, 250, 120)});
  ShownNote note = NoteAt(300, 250);
  ASSERT_NE(note.hwnd, nullptr);
  NoteLayout l = note.Layout();
  struct Case {
    const char* where;
    POINT at;
    bool opens;
  } cases[] = {
      {"text-area margin", note.Margin(), true},
      {"bare corner", note.At(l.width - 3, l.height - 3), true},
      {"title bar beside the title", note.At(l.TitleLabel().right, 3), true},
      {"title text", note.Title(), true},
      {"note text", note.Text(), true},
      {"menu button", note.CenterOf(l.MenuButton()), false},
      {"hide button", note.CenterOf(l.HideButton()), false},
      {"on-top button", note.CenterOf(l.OnTopButton()), false},
      {"close button", note.CenterOf(l.CloseButton()), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    Click(c.at.x, c.at.y, MouseButton::Right);
    if (c.opens) {
      HWND menu = WaitForMenu();
      ASSERT_NE(menu, nullptr) << "no menu";
      RECT r = WindowBounds(menu);
      EXPECT_EQ(r.left, c.at.x);
      EXPECT_EQ(r.top, c.at.y);
      PressChord({VK_ESCAPE});
      EXPECT_TRUE(WaitMenuClosed());
    } else {
      Sleep(600);
      EXPECT_EQ(ShownMenu(*app_), nullptr);
      EXPECT_FALSE(WaitForMessageBox(*app_, 0).has_value());
      EXPECT_TRUE(note.Visible());
      EXPECT_FALSE(note.Topmost());
    }
  }
  // A left click on the menu button opens the menu at the button's
  // bottom-right corner, counted from the note's outer corner.
  POINT button = note.CenterOf(l.MenuButton());
  Click(button.x, button.y);
  HWND menu = WaitForMenu();
  ASSERT_NE(menu, nullptr);
  RECT r = WindowBounds(menu);
  EXPECT_EQ(r.left, note.Bounds().left + l.MenuButton().right);
  EXPECT_EQ(r.top, note.Bounds().top + l.MenuButton().bottom);
  PressChord({VK_ESCAPE});
  EXPECT_TRUE(WaitMenuClosed());
  // The menu works again after having been dismissed: its fourth item puts
  // the note on top.
  ASSERT_NE(RightClickMenu(note.Text()), nullptr);
  PickMenuItem(4);
  EXPECT_TRUE(WaitUntil([&] { return note.Topmost(); }, 3000));
  EXPECT_TRUE(app_->Exit());
}

TEST_F(NoteCommands, DoubleClickOnTheTitleRollsUpAndBackToTheNaturalSize) {
  Start({StoredNote("Roll up", {"one", "two"}, 300, 250, 300, 150)});
  ShownNote note = NoteAt(300, 250);
  ASSERT_NE(note.hwnd, nullptr);
  int line = NoteLineHeight();
  SIZE rolled{200, line + 4};
  SIZE natural{200, line + NoteTextExtent("one\r\ntwo", false, 194).cy + 6};
  ASSERT_EQ(natural.cy, 3 * line + 6);
  auto size = [&] { return SIZE{note.Width(), note.Height()}; };
  auto waitSize = [&](SIZE s) {
    return WaitUntil([&] { return size().cx == s.cx && size().cy == s.cy; }, 3000);
  };

  // A double click anywhere but on the title does nothing more than two presses.
  for (POINT p : {note.Text(), note.Margin(), note.At(note.Layout().TitleLabel().right, 3)}) {
    DoubleClick(p.x, p.y);
    Sleep(400);
    EXPECT_EQ(size().cx, 300) << Describe(p);
    EXPECT_EQ(size().cy, 150) << Describe(p);
  }
  struct Step {
    const char* what;
    SIZE size;
  } steps[] = {{"roll up", rolled}, {"unroll", natural}, {"roll up again", rolled}};
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    POINT title = note.Title();
    DoubleClick(title.x, title.y);
    EXPECT_TRUE(waitSize(s.size)) << "now " << size().cx << "x" << size().cy;
    // The top-left corner stays where it was.
    EXPECT_EQ(note.Bounds().left, 300);
    EXPECT_EQ(note.Bounds().top, 250);
    Park();
    Sleep(600);  // the next double click must not pair with this one's second click
  }
  ASSERT_TRUE(app_->Exit());
  EXPECT_EQ(Saved("Sticker0", "MinState"), "1");
  EXPECT_EQ(Saved("Sticker0", "Width"), "200");
  EXPECT_EQ(Saved("Sticker0", "Height"), std::to_string(line + 4));
}

TEST_F(NoteCommands, OnTopButtonSwitchesTheBandTheGlyphAndTheTooltip) {
  Start({StoredNote("Pin", {"text"}, 300, 250, 250, 80)});
  ShownNote note = NoteAt(300, 250);
  ASSERT_NE(note.hwnd, nullptr);
  Glyphs glyphs(folder_.Exe());
  NoteLayout l = note.Layout();
  POINT button = note.CenterOf(l.OnTopButton());
  auto tooltipOver = [&](POINT p) {
    Park();
    WaitUntil([&] { return !ShownTooltipText(*app_); }, 3000);
    MouseMove(p.x, p.y);
    MouseMove(p.x + 1, p.y);  // a move inside the button starts the tooltip's timer
    std::optional<std::string> text;
    WaitUntil([&] { return (text = ShownTooltipText(*app_)).has_value(); }, 5000);
    return text.value_or("<no tooltip>");
  };
  auto expectState = [&](bool onTop) {
    EXPECT_TRUE(WaitUntil([&] { return note.Topmost() == onTop; }, 3000)) << "topmost should be " << onTop;
    EXPECT_EQ(tooltipOver(button), onTop ? "Normal" : "OnTop");
    Park();
    WaitUntil([&] { return !ShownTooltipText(*app_); }, 3000);
    EXPECT_TRUE(ShowsGlyph(note, l.OnTopButton(), glyphs.Pixels(onTop ? kPinFront : kPinSide)));
  };

  // Loading calls SetOnTop, so the first tooltip already names the action.
  expectState(false);
  {
    SCOPED_TRACE("on-top button");
    Click(button.x, button.y);
    expectState(true);
  }
  {
    SCOPED_TRACE("Ctrl+T");
    Activate(note);
    ChordUntil(VK_CONTROL, 'T', [&] { return !note.Topmost(); });
    expectState(false);
  }
  {
    SCOPED_TRACE("fourth menu item");
    ASSERT_NE(RightClickMenu(note.Text()), nullptr);
    PickMenuItem(4);
    expectState(true);
  }
  {
    SCOPED_TRACE("on-top button again");
    Click(button.x, button.y);
    expectState(false);
  }
  {
    SCOPED_TRACE("pressed, then released outside the button");
    MouseMove(button.x, button.y);
    MousePress();
    EXPECT_TRUE(WaitUntil([&] { return bool(ShowsGlyph(note, l.OnTopButton(), glyphs.Pixels(kPinSideDown))); },
                          3000))
        << "the pressed glyph is not shown";
    MouseMove(button.x, button.y + 40);
    MouseRelease();
    Sleep(300);
    expectState(false);
  }
  {
    SCOPED_TRACE("double click: one click, not two");
    DoubleClick(button.x, button.y);
    expectState(true);
  }
  // The other buttons name themselves.
  struct Tip {
    Rect part;
    const char* text;
  } tips[] = {{l.MenuButton(), "Menu"}, {l.HideButton(), "Hide"}, {l.CloseButton(), "Close"}};
  for (const auto& t : tips) EXPECT_EQ(tooltipOver(note.CenterOf(t.part)), t.text);
  Park();
  EXPECT_TRUE(app_->Exit());
}

TEST_F(NoteCommands, TranslucencyGivesWayWhileTheNoteIsClickedActive) {
  struct Case {
    int percent;  // as stored
    BYTE alpha;
  } cases[] = {
      {0, 255}, {10, 229}, {50, 127}, {100, 0},
      {300, 142},  // a byte field: 300 reads as 44
      {200, 0},    // beyond 100 the note is fully transparent, never "negative"
  };
  std::vector<std::string> notes;
  for (size_t i = 0; i < std::size(cases); ++i)
    notes.push_back(StoredNote("Alpha " + std::to_string(cases[i].percent), {"text"}, 60 + 320 * int(i % 3),
                               100 + 250 * int(i / 3), 200, 50,
                               "AlphaBlendValue=" + std::to_string(cases[i].percent) + "\r\n"));
  Start(notes);
  std::vector<ShownNote> shown;
  for (size_t i = 0; i < std::size(cases); ++i) {
    shown.push_back(NoteAt(60 + 320 * int(i % 3), 100 + 250 * int(i / 3)));
    EXPECT_EQ(LayeredAlpha(shown.back().hwnd), cases[i].alpha) << cases[i].percent;
  }
  const ShownNote& half = shown[2];
  const ShownNote& tenth = shown[1];
  const ShownNote& byteField = shown[4];
  auto alpha = [](const ShownNote& n) { return LayeredAlpha(n.hwnd).value_or(1); };
  Activate(half);
  EXPECT_TRUE(WaitUntil([&] { return alpha(half) == 255; }, 3000));
  Park();
  Sleep(300);
  EXPECT_EQ(alpha(half), 255) << "opaque while it stays active";
  Activate(tenth);
  EXPECT_TRUE(WaitUntil([&] { return alpha(half) == 127 && alpha(tenth) == 255; }, 3000))
      << alpha(half) << " " << alpha(tenth);
  // A right click activates as well; the menu does not change it.
  ASSERT_NE(RightClickMenu(byteField.Text()), nullptr);
  EXPECT_EQ(alpha(byteField), 255);
  PressChord({VK_ESCAPE});
  EXPECT_TRUE(WaitMenuClosed());
  Activate(half);
  EXPECT_TRUE(WaitUntil([&] { return alpha(byteField) == 142 && alpha(tenth) == 229; }, 3000));
  EXPECT_TRUE(app_->Exit());
}

TEST_F(NoteCommands, TooltipsFollowTheButtonsAndEachNotesState) {
  Start({StoredNote("Normal", {"text"}, 200, 150, 250, 80),
         StoredNote("Pinned", {"text"}, 200, 400, 250, 80, "OnTop=1\r\n")});
  ShownNote normal = NoteAt(200, 150), pinned = NoteAt(200, 400);
  ASSERT_TRUE(normal.hwnd && pinned.hwnd);
  auto tooltipOver = [&](POINT p) -> std::string {
    Park();
    WaitUntil([&] { return !ShownTooltipText(*app_); }, 3000);
    MouseMove(p.x, p.y);
    MouseMove(p.x + 1, p.y);
    std::optional<std::string> text;
    if (!WaitUntil([&] { return (text = ShownTooltipText(*app_)).has_value(); }, 3000)) return "<no tooltip>";
    return *text;
  };
  // One tooltip window serves all notes; each note's on-top button names
  // what a click on it would do.
  EXPECT_EQ(tooltipOver(normal.CenterOf(normal.Layout().OnTopButton())), "OnTop");
  EXPECT_EQ(tooltipOver(pinned.CenterOf(pinned.Layout().OnTopButton())), "Normal");
  EXPECT_EQ(tooltipOver(normal.CenterOf(normal.Layout().HideButton())), "Hide");

  // After a resize the right-hand buttons, and their tooltips, follow the edge.
  POINT hideBefore = normal.CenterOf(normal.Layout().HideButton());
  POINT corner = normal.At(normal.Width() - 3, normal.Height() - 3);
  Drag(corner, {corner.x + 80, corner.y + 20});
  ASSERT_TRUE(WaitUntil([&] { return normal.Width() == 330; }, 3000)) << normal.Width();
  EXPECT_EQ(tooltipOver(normal.CenterOf(normal.Layout().HideButton())), "Hide");
  EXPECT_EQ(tooltipOver(normal.CenterOf(normal.Layout().CloseButton())), "Close");
  EXPECT_EQ(tooltipOver(hideBefore), "<no tooltip>") << "a tooltip where the hide button was";

  // Rolled up, the note is 200 wide again.
  POINT title = pinned.Title();
  DoubleClick(title.x, title.y);
  ASSERT_TRUE(WaitUntil([&] { return pinned.Height() == NoteLineHeight() + 4; }, 3000));
  EXPECT_EQ(tooltipOver(pinned.CenterOf(pinned.Layout().OnTopButton())), "Normal");
  EXPECT_EQ(tooltipOver(pinned.CenterOf(pinned.Layout().MenuButton())), "Menu");
  Park();
  EXPECT_TRUE(app_->Exit());
}

TEST_F(NoteCommands, RightButtonReleasedAwayFromThePressOpensNothingOffTheNote) {
  Start({StoredNote("Release", {"Some text", "in two lines"}, 300, 250, 250, 120)});
  ShownNote note = NoteAt(300, 250);
  ASSERT_NE(note.hwnd, nullptr);
  NoteLayout l = note.Layout();
  struct Case {
    const char* where;
    POINT release;
    bool opens;
  } cases[] = {
      {"on the title", note.Title(), true},
      {"on the text-area margin", note.Margin(), true},
      {"on the close button", note.CenterOf(l.CloseButton()), false},
      {"on the hide button", note.CenterOf(l.HideButton()), false},
      {"outside the note", note.At(l.width + 60, l.height / 2), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    POINT press = note.Text();
    MouseMove(press.x, press.y);
    MousePress(MouseButton::Right);
    MouseMove(c.release.x, c.release.y);
    MouseRelease(MouseButton::Right);
    if (c.opens) {
      HWND menu = WaitForMenu();
      ASSERT_NE(menu, nullptr);
      RECT r = WindowBounds(menu);
      EXPECT_EQ(r.left, c.release.x);
      EXPECT_EQ(r.top, c.release.y);
      PressChord({VK_ESCAPE});
      EXPECT_TRUE(WaitMenuClosed());
    } else {
      Sleep(600);
      EXPECT_EQ(ShownMenu(*app_), nullptr);
      if (HWND menu = ShownMenu(*app_)) {
        PressChord({VK_ESCAPE});
        WaitMenuClosed();
      }
      EXPECT_FALSE(WaitForMessageBox(*app_, 0).has_value());
      EXPECT_TRUE(note.Visible());
    }
  }
  EXPECT_TRUE(app_->Exit());
}

TEST_F(NoteCommands, AltF4HidesTheNoteAndKeepsIt) {
  Start({StoredNote("Alt F4", {"text"}, 300, 250, 250, 80), StoredNote("Other", {"text"}, 300, 450, 250, 80)});
  ShownNote note = NoteAt(300, 250);
  ASSERT_NE(note.hwnd, nullptr);
  Activate(note);
  ChordUntil(VK_MENU, VK_F4, [&] { return !note.Visible(); });
  EXPECT_TRUE(WaitUntil([&] { return !note.Visible(); }, 3000));
  EXPECT_TRUE(IsWindow(note.hwnd)) << "the note's window was destroyed";
  ASSERT_TRUE(app_->Exit());
  EXPECT_EQ(Saved("Main", "StickerCount"), "2");
  EXPECT_EQ(Saved("Sticker0", "Title"), "Alt F4");
  EXPECT_EQ(Saved("Sticker0", "Active"), "0");
  EXPECT_EQ(Saved("Sticker0", "Left"), "300");
  EXPECT_EQ(Saved("Sticker0", "Width"), "250");
}

TEST_F(NoteCommands, ResizingStopsAtTheMinimumSize) {
  Start({StoredNote("Shrink", {"text"}, 300, 250, 250, 120)});
  ShownNote note = NoteAt(300, 250);
  ASSERT_NE(note.hwnd, nullptr);
  POINT corner = note.At(note.Width() - 3, note.Height() - 3);
  Drag(corner, {corner.x - 150, corner.y - 150});
  int line = NoteLineHeight();
  EXPECT_TRUE(WaitUntil([&] { return note.Width() == 200 && note.Height() == line + 4; }, 3000))
      << note.Width() << "x" << note.Height();
  EXPECT_EQ(note.Bounds().left, 300);
  EXPECT_EQ(note.Bounds().top, 250);
  EXPECT_TRUE(app_->Exit());
}

// A shortcut released while the mouse still holds the note (the system's move
// loop runs) acts once the note is let go: a question asked from inside the
// loop could not be answered with the mouse.
TEST_F(NoteCommands, ShortcutsReleasedWhileTheNoteIsHeldActWhenItIsLetGo) {
  Start({StoredNote("Held", {"text"}, 300, 250, 250, 80), StoredNote("Other", {"text"}, 300, 450, 250, 80)});
  ShownNote note = NoteAt(300, 250);
  ASSERT_NE(note.hwnd, nullptr);
  auto hold = [&] {
    POINT p = note.Margin();
    MouseMove(p.x, p.y);
    MousePress();
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == note.hwnd; }, 3000));
    Sleep(300);  // Wine settles its modifier state after an activation
  };

  hold();
  PressChord({VK_F10});
  Sleep(500);
  EXPECT_FALSE(WaitForMessageBox(*app_, 0).has_value()) << "asked while the note is held";
  MouseRelease();
  auto box = WaitForMessageBox(*app_, 5000);
  ASSERT_TRUE(box.has_value()) << "not asked once the note was let go";
  EXPECT_EQ(box->text, "Close and remove Note: \"Held\" ?");
  ClickBoxButton(*box, IDNO);
  EXPECT_TRUE(note.Visible());

  hold();
  PressChord({VK_CONTROL, 'H'});
  Sleep(500);
  EXPECT_TRUE(note.Visible()) << "hidden while held";
  MouseRelease();
  EXPECT_TRUE(WaitUntil([&] { return !note.Visible(); }, 3000));
  EXPECT_TRUE(app_->Exit());
}

// While another program holds the clipboard open, a copy reports the
// program's error and copies nothing; once it is free again, copying works.
TEST_F(NoteCommands, CopyReportsAClipboardHeldByAnotherProgram) {
  Start({StoredNote("Busy", {"text"}, 300, 250, 250, 80)});
  ShownNote note = NoteAt(300, 250);
  ASSERT_NE(note.hwnd, nullptr);
  SetClipboardText("held by the test");
  ASSERT_TRUE(OpenClipboard(nullptr));
  Activate(note);
  std::optional<MessageBoxInfo> box;
  EXPECT_TRUE(ChordUntil(VK_CONTROL, 'C', [&] { return (box = WaitForMessageBox(*app_, 0)).has_value(); }));
  ASSERT_TRUE(box.has_value()) << "no error shown";
  EXPECT_EQ(box->text, "Cannot open clipboard");
  EXPECT_EQ(box->caption, "Wisplet");
  CloseClipboard();
  EXPECT_EQ(ClipboardText(), "held by the test");
  ClickBoxButton(*box, IDOK);
  Activate(note);
  EXPECT_TRUE(ChordUntil(VK_CONTROL, 'C', [] { return ClipboardText() != "held by the test"; }));
  EXPECT_EQ(ClipboardText(), "Busy:\r\ntext\r\n");
  EXPECT_TRUE(app_->Exit());
}
