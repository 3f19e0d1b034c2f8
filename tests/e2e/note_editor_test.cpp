// The note editor, driven with the real mouse and keyboard: opened from a
// note's Ctrl+N and Ctrl+E, typed into, completed with the button, Ctrl+Enter
// or Ctrl+J, and what it leaves on the desktop and in the settings file.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "harness.h"

using namespace e2e;

namespace {

constexpr int kScreenWidth = 1024;
const RECT kWorkArea{0, 0, 1024, 748};  // the test desktop's taskbar takes the bottom 20 pixels

std::string Note(int n, const std::string& keys) { return "[Sticker" + std::to_string(n) + "]\r\n" + keys; }

// A note of the default size (200 x 50) at the given place.
std::string NoteAt(int left, int top, const std::string& title = "Shopping",
                   const std::string& more = "MemoLineCount=2\r\nMemoLine0=>milk\r\nMemoLine1=>bread\r\n") {
  return "Title=" + title + "\r\n" + more + "Active=1\r\nTop=" + std::to_string(top) +
         "\r\nLeft=" + std::to_string(left) + "\r\n";
}

std::string Scheme(int n, const std::string& name, const std::string& titleColor) {
  return "[Scheme" + std::to_string(n) + "]\r\nName=" + name +
         "\r\nAlphaBlendValue=0\r\nTitleColor=" + titleColor +
         "\r\nTitleFontColor=clBlack\r\nTitleGradColor=clYellow\r\nTitleGradType=3\r\n"
         "MemoColor=clWhite\r\nMemoFontColor=clNavy\r\nMemoGradColor=clSilver\r\nMemoGradType=7\r\n";
}

// Keys of one section of an INI text; empty when the section is missing.
std::map<std::string, std::string> SectionOf(const std::string& ini, const std::string& section) {
  std::map<std::string, std::string> keys;
  bool inside = false;
  std::size_t pos = 0;
  while (pos < ini.size()) {
    std::size_t end = ini.find('\n', pos);
    if (end == std::string::npos) end = ini.size();
    std::string line = ini.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    pos = end + 1;
    if (!line.empty() && line.front() == '[') {
      inside = line == "[" + section + "]";
    } else if (inside) {
      std::size_t eq = line.find('=');
      if (eq != std::string::npos) keys[line.substr(0, eq)] = line.substr(eq + 1);
    }
  }
  return keys;
}

// The settings file's notes, each as its keys.
std::vector<std::map<std::string, std::string>> StoredNotes(const std::string& ini) {
  std::vector<std::map<std::string, std::string>> notes;
  std::string stored = SectionOf(ini, "Main")["StickerCount"];
  int count = stored.empty() ? 0 : std::stoi(stored);
  for (int n = 0; n < count; ++n) notes.push_back(SectionOf(ini, "Sticker" + std::to_string(n)));
  return notes;
}

std::string ClassOf(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::pair<int, int> EditSelection(HWND edit) {
  DWORD sel = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
  return {LOWORD(sel), HIWORD(sel)};
}

RECT ClientRectOn(HWND parent, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

struct EditorControls {
  HWND title = nullptr, memo = nullptr, schemes = nullptr, button = nullptr;
  std::vector<HWND> labels;
};

EditorControls ControlsOf(HWND dialog) {
  EditorControls c;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    std::string cls = ClassOf(child);
    if (_stricmp(cls.c_str(), "Edit") == 0)
      (GetWindowLongA(child, GWL_STYLE) & ES_MULTILINE ? c.memo : c.title) = child;
    else if (_stricmp(cls.c_str(), "ComboBox") == 0)
      c.schemes = child;
    else if (_stricmp(cls.c_str(), "Button") == 0)
      c.button = child;
    else if (_stricmp(cls.c_str(), "Static") == 0)
      c.labels.push_back(child);
  }
  return c;
}

int ComboSelection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

// The list's items; read as wide text, the form in which the system carries
// them across processes.
std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t wide[512] = {};
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
    char text[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    items.push_back(text);
  }
  return items;
}

// What the controls' client rectangles must be for a client area of cw x ch:
// the left, top and right edges of the upper controls stay put, the memo
// grows with the window, the lower controls keep their distance to the bottom.
struct ExpectedRect {
  const char* what;
  int left, top, width, height;
};
std::vector<ExpectedRect> AnchoredLayout(int cw, int ch) {
  return {
      {"label Title", 4, 4, cw - 7, 14},
      {"EditTitle", 4, 20, cw - 7, 21},
      {"label Memo", 3, 44, cw - 7, 14},
      {"MemoBody", 4, 60, cw - 7, std::max(0, ch - 140)},
      {"label Color Scheme", 3, ch - 77, cw - 7, 14},
      {"CBSchemes", 4, ch - 61, cw - 7, 21},
      {"BtnNew", cw - 107, ch - 31, 105, 24},
  };
}

class NoteEditor : public ::testing::Test {
 protected:
  void Start(const std::string& iniBody) {
    if (app_) ASSERT_TRUE(app_->Exit());
    app_.reset();
    folder_ = std::make_unique<TestFolder>();
    folder_->WriteIni(iniBody);
    app_ = std::make_unique<AppProcess>(folder_->Exe());
    ASSERT_TRUE(app_->WaitUp());
    editor_ = app_->FindWindowOfClass("TFormSticker");
    ASSERT_NE(editor_, nullptr);
    c_ = ControlsOf(editor_);
    ASSERT_NE(c_.title, nullptr);
    ASSERT_NE(c_.memo, nullptr);
    ASSERT_NE(c_.schemes, nullptr);
    ASSERT_NE(c_.button, nullptr);
    ASSERT_EQ(c_.labels.size(), 3u);
  }
  // [Main] with the notes and whatever else the test puts there.
  void StartWithNotes(const std::vector<std::string>& notes, const std::string& mainKeys = "",
                      const std::string& sections = "") {
    std::string ini = "[Main]\r\nStickerCount=" + std::to_string(notes.size()) + "\r\n" + mainKeys + sections;
    for (size_t i = 0; i < notes.size(); ++i) ini += Note(static_cast<int>(i), notes[i]);
    Start(ini);
  }
  void TearDown() override {
    if (folder_) SetFileAttributesA(folder_->Ini().c_str(), FILE_ATTRIBUTE_NORMAL);
    if (app_ && app_->Running()) EXPECT_TRUE(app_->Exit());
  }

  HWND NoteWindowAt(int left, int top) const {
    for (const auto& w : app_->Windows()) {
      RECT r{};
      GetWindowRect(w.hwnd, &r);
      if (w.className == "TStickerWindow" && r.left == left && r.top == top) return w.hwnd;
    }
    return nullptr;
  }
  std::vector<HWND> ShownNotes() const { return VisibleWindowsOfClass(*app_, "TStickerWindow"); }

  // Clicks the note's title bar and presses Ctrl+<key> on it: Ctrl+N is the
  // note's "New Note", Ctrl+E its "Edit Note".
  // The note is clicked on its title, or at clickY where its title is off the
  // screen (a note taller than the work area ends on the work area's bottom).
  void OpenFromNote(int left, int top, char key, int clickY = -1) {
    HWND note = NoteWindowAt(left, top);
    ASSERT_NE(note, nullptr) << "no note at " << left << "," << top;
    Click(left + 100, clickY >= 0 ? clickY : top + 6);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == note; }, 5000));
    // The note acts when the letter comes up, with Ctrl still down.
    ASSERT_TRUE(PressChordUntil({VK_CONTROL, static_cast<WORD>(key)},
                                [&] { return IsWindowVisible(editor_) && GetForegroundWindow() == editor_; }))
        << "the editor did not come up";
    ASSERT_TRUE(WaitUntil([&] { return FocusedWindowOf(editor_) == c_.title; }, 5000));
  }
  HWND Focus() const { return FocusedWindowOf(editor_); }
  // Tab `count` times along the tab order, each time until the focus moved.
  void Tabs(int count) {
    const HWND order[] = {c_.title, c_.memo, c_.schemes, c_.button};
    for (int i = 0; i < count; ++i) {
      auto at = std::find(std::begin(order), std::end(order), Focus());
      ASSERT_NE(at, std::end(order)) << "the focus is not on a field of the editor";
      HWND next = order[(at - std::begin(order) + 1) % std::size(order)];
      PressChord({VK_TAB});
      ASSERT_TRUE(WaitUntil([&] { return Focus() == next; }, 3000)) << "Tab did not move on";
    }
  }
  void Type(const std::string& text) { ASSERT_TRUE(TypeInto(Focus(), text)) << "typing \"" << text << "\""; }
  // Ctrl+Enter (or Ctrl+J), held until the editor is gone.
  void Complete(WORD key = VK_RETURN) {
    ASSERT_TRUE(PressChordUntil({VK_CONTROL, key}, [&] { return !IsWindowVisible(editor_); }))
        << "the editor stayed open";
  }
  bool WaitHidden() const {
    return WaitUntil([&] { return !IsWindowVisible(editor_); }, 5000);
  }
  RECT EditorRect() const {
    RECT r{};
    GetWindowRect(editor_, &r);
    return r;
  }
  // A point of the editor's frame where the window itself reports `hit`.
  std::optional<POINT> FramePoint(LRESULT hit) const {
    RECT r = EditorRect();
    for (int y = r.top + 1; y < r.top + 40; ++y)
      for (int x = r.right - 1; x > r.left; x -= 2)
        if (SendMessageA(editor_, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == hit) return POINT{x, y};
    return std::nullopt;
  }
  void ClickCloseBox() {
    auto p = FramePoint(HTCLOSE);
    ASSERT_TRUE(p.has_value()) << "no close box";
    Click(p->x, p->y);
    ASSERT_TRUE(WaitHidden());
  }
  // Somewhere on the caption away from its buttons.
  POINT CaptionPoint() const {
    RECT r = EditorRect();
    for (int y = r.top + 1; y < r.top + 40; ++y)
      if (SendMessageA(editor_, WM_NCHITTEST, 0, MAKELPARAM(r.left + 80, y)) == HTCAPTION) return {r.left + 80, y};
    ADD_FAILURE() << "no caption";
    return {r.left + 80, r.top + 10};
  }
  // Waits until the settings file holds `count` notes and returns them.
  std::vector<std::map<std::string, std::string>> WaitStoredNotes(std::size_t count) {
    std::vector<std::map<std::string, std::string>> notes;
    WaitUntil([&] {
      notes = StoredNotes(folder_->ReadIni().value_or(""));
      return notes.size() == count;
    });
    return notes;
  }

  std::unique_ptr<TestFolder> folder_;
  std::unique_ptr<AppProcess> app_;
  HWND editor_ = nullptr;
  EditorControls c_;
};

}  // namespace

TEST_F(NoteEditor, FirstOpeningShowsTheStartTextsAtTheWorkAreaCorner) {
  StartWithNotes({NoteAt(200, 200)});
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  ASSERT_TRUE(EqualRect(&work, &kWorkArea)) << "test desktop has another work area";
  EXPECT_FALSE(IsWindowVisible(editor_));

  OpenFromNote(200, 200, 'N');
  EXPECT_EQ(WindowTextOf(editor_), "New Note");
  EXPECT_EQ(WindowTextOf(c_.button), "Create New");
  EXPECT_EQ(WindowTextOf(c_.title), "New Sticker Title");
  EXPECT_EQ(WindowTextOf(c_.memo), "New Sticker Memo");
  EXPECT_EQ(ComboItems(c_.schemes).size(), 0u);
  EXPECT_EQ(ComboSelection(c_.schemes), CB_ERR);
  std::vector<std::string> labels;
  for (HWND label : c_.labels) labels.push_back(WindowTextOf(label));
  EXPECT_EQ(labels, (std::vector<std::string>{"Title", "Memo", "Color Scheme"}));

  RECT r = EditorRect();
  EXPECT_EQ(r.right, kWorkArea.right - 5);
  EXPECT_EQ(r.bottom, kWorkArea.bottom - 5);
  EXPECT_EQ(r.right - r.left, 350);
  EXPECT_EQ(r.bottom - r.top, 279);

  DWORD style = static_cast<DWORD>(GetWindowLongA(editor_, GWL_STYLE));
  DWORD ex = static_cast<DWORD>(GetWindowLongA(editor_, GWL_EXSTYLE));
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME), DWORD{WS_CAPTION | WS_SYSMENU | WS_THICKFRAME});
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
  EXPECT_TRUE(ex & WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(editor_, GW_OWNER), nullptr);
  EXPECT_FALSE(IsWindowVisible(app_->MainWindow()));

  // The memo wraps long lines: a vertical bar, no horizontal one.
  DWORD memoStyle = static_cast<DWORD>(GetWindowLongA(c_.memo, GWL_STYLE));
  EXPECT_TRUE(memoStyle & WS_VSCROLL);
  EXPECT_FALSE(memoStyle & (WS_HSCROLL | ES_AUTOHSCROLL));
  EXPECT_TRUE(memoStyle & ES_WANTRETURN);
  EXPECT_EQ(GetWindowLongA(c_.schemes, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
  EXPECT_EQ(SendMessageA(c_.schemes, CB_GETITEMHEIGHT, 0, 0), 13);

  // The title has the focus with its whole text selected, so typing replaces it.
  EXPECT_EQ(Focus(), c_.title);
  EXPECT_EQ(EditSelection(c_.title), std::make_pair(0, 17));
  SaveScreenshot("note-editor-new");
}

TEST_F(NoteEditor, ControlsFollowTheirAnchorsAndEveryOpeningPlacesItAnew) {
  StartWithNotes({NoteAt(200, 200)});
  OpenFromNote(200, 200, 'N');

  // Moved up and left by its caption, so that its corner can be dragged out.
  RECT before = EditorRect();
  POINT caption = CaptionPoint();
  Drag(caption, {caption.x - 400, caption.y - 300});
  ASSERT_TRUE(WaitUntil([&] { return EditorRect().left == before.left - 400; }, 3000));
  EXPECT_EQ(EditorRect().top, before.top - 300);

  struct Case {
    const char* what;
    int dx, dy;               // the corner dragged by this much
    int expectW, expectH;     // outer size afterwards
  };
  const Case cases[] = {
      {"as opened", 0, 0, 350, 279},
      {"grown", 120, 90, 470, 369},
      {"shrunk below the minimum", -400, -400, 150, 150},
      {"grown again", 250, 200, 400, 350},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    if (k.dx || k.dy) {
      RECT r = EditorRect();
      POINT corner{r.right - 2, r.bottom - 2};
      ASSERT_EQ(SendMessageA(editor_, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTBOTTOMRIGHT);
      Drag(corner, {corner.x + k.dx, corner.y + k.dy});
      ASSERT_TRUE(WaitUntil([&] {
        RECT now = EditorRect();
        return now.right - now.left == k.expectW && now.bottom - now.top == k.expectH;
      }, 3000));
    }
    RECT outer = EditorRect();
    EXPECT_EQ(outer.right - outer.left, k.expectW);
    EXPECT_EQ(outer.bottom - outer.top, k.expectH);
    RECT client{};
    GetClientRect(editor_, &client);
    const HWND controls[] = {c_.labels[0], c_.title, c_.labels[1], c_.memo, c_.labels[2], c_.schemes, c_.button};
    auto expected = AnchoredLayout(client.right, client.bottom);
    // The last size of a drag reaches the controls a moment after the frame.
    WaitUntil([&] {
      for (std::size_t i = 0; i < expected.size(); ++i) {
        RECT got = ClientRectOn(editor_, controls[i]);
        if (got.left != expected[i].left || got.top != expected[i].top ||
            got.right - got.left != expected[i].width || got.bottom - got.top != expected[i].height)
          return false;
      }
      return true;
    }, 3000);
    for (std::size_t i = 0; i < expected.size(); ++i) {
      RECT got = ClientRectOn(editor_, controls[i]);
      EXPECT_EQ(got.left, expected[i].left) << expected[i].what;
      EXPECT_EQ(got.top, expected[i].top) << expected[i].what;
      EXPECT_EQ(got.right - got.left, expected[i].width) << expected[i].what;
      EXPECT_EQ(got.bottom - got.top, expected[i].height) << expected[i].what;
    }
  }
  Sleep(500);  // only so that the picture shows the controls painted
  SaveScreenshot("note-editor-resized");

  // Closed with the close box and opened again: back in the corner, the size kept.
  ClickCloseBox();
  OpenFromNote(200, 200, 'N');
  RECT r = EditorRect();
  EXPECT_EQ(r.right, kWorkArea.right - 5);
  EXPECT_EQ(r.bottom, kWorkArea.bottom - 5);
  EXPECT_EQ(r.right - r.left, 400);
  EXPECT_EQ(r.bottom - r.top, 350);
}

TEST_F(NoteEditor, KeyboardWalksTheFieldsAndOnlyTheCloseBoxClosesIt) {
  StartWithNotes({NoteAt(200, 200)});
  const std::string fileBefore = folder_->ReadIni().value_or("");
  OpenFromNote(200, 200, 'N');

  struct Step {
    std::initializer_list<WORD> keys;
    HWND* focus;
  };
  const Step steps[] = {
      {{VK_TAB}, &c_.memo},   {{VK_TAB}, &c_.schemes},          {{VK_TAB}, &c_.button},
      {{VK_TAB}, &c_.title},  {{VK_SHIFT, VK_TAB}, &c_.button}, {{VK_SHIFT, VK_TAB}, &c_.schemes},
      {{VK_SHIFT, VK_TAB}, &c_.memo},
  };
  for (const Step& step : steps) {
    EXPECT_TRUE(PressChordUntil(step.keys, [&] { return Focus() == *step.focus; }, 3000))
        << "expected the focus on " << ClassOf(*step.focus);
  }
  // Entering the memo selected its whole text.
  EXPECT_EQ(EditSelection(c_.memo), std::make_pair(0, 16));

  // Escape closes nothing, whatever has the focus. The Tab after it is
  // handled only after a close that Escape might have posted, so the editor
  // is seen after that close would have happened.
  for (const char* field : {"memo", "scheme list", "button", "title"}) {
    SCOPED_TRACE(std::string("Escape in the ") + field);
    PressChord({VK_ESCAPE});
    Tabs(1);
    EXPECT_TRUE(IsWindowVisible(editor_));
  }
  ASSERT_EQ(Focus(), c_.memo);

  // Enter in the memo starts a new line; in the title it does nothing.
  Type("first\nsecond");
  EXPECT_EQ(WindowTextOf(c_.memo), "first\r\nsecond");
  Tabs(3);
  PressChord({VK_RETURN});
  Tabs(1);
  EXPECT_TRUE(IsWindowVisible(editor_));
  EXPECT_EQ(WindowTextOf(c_.title), "New Sticker Title");
  EXPECT_EQ(WindowTextOf(c_.memo), "first\r\nsecond");

  // The close box hides the editor; nothing is made or saved.
  ClickCloseBox();
  EXPECT_EQ(ShownNotes().size(), 1u);
  EXPECT_EQ(folder_->ReadIni().value_or(""), fileBefore);
}

TEST_F(NoteEditor, TypedNoteAppearsTopRightAndIsSaved) {
  StartWithNotes({NoteAt(200, 200)});
  OpenFromNote(200, 200, 'N');
  Type("Groceries");
  Tabs(1);
  Type("milk\nbread");
  Complete();

  auto notes = WaitStoredNotes(2);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0]["Title"], "Shopping");
  EXPECT_EQ(notes[1]["Title"], "Groceries");
  EXPECT_EQ(notes[1]["MemoLineCount"], "2");
  EXPECT_EQ(notes[1]["MemoLine0"], ">milk");
  EXPECT_EQ(notes[1]["MemoLine1"], ">bread");
  EXPECT_EQ(notes[1]["Active"], "1");
  EXPECT_EQ(notes[1]["Top"], "0");
  EXPECT_EQ(std::stoi(notes[1]["Left"]), kScreenWidth - std::stoi(notes[1]["Width"]));

  // On the desktop: the first place of the cascade, top right of the screen.
  auto shown = ShownNotes();
  ASSERT_EQ(shown.size(), 2u);
  HWND made = NoteWindowAt(200, 200) == shown[0] ? shown[1] : shown[0];
  RECT r{};
  GetWindowRect(made, &r);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, kScreenWidth);
  SaveScreenshot("note-editor-made");

  // The next "New" shows what the fields last held.
  OpenFromNote(200, 200, 'N');
  EXPECT_EQ(WindowTextOf(c_.title), "Groceries");
  EXPECT_EQ(WindowTextOf(c_.memo), "milk\r\nbread");
}

TEST_F(NoteEditor, CtrlEnterAndCtrlJCompleteFromEveryControl) {
  StartWithNotes({NoteAt(200, 200)});
  struct Case {
    int tabs;  // from the title: 0 title, 1 memo, 2 scheme list, 3 button
    WORD key;  // with Ctrl
  };
  const Case cases[] = {{0, VK_RETURN}, {1, VK_RETURN}, {2, VK_RETURN}, {3, VK_RETURN},
                        {0, 'J'},       {1, 'J'},       {2, 'J'},       {3, 'J'}};
  std::size_t count = 1;
  for (const Case& k : cases) {
    std::string title = std::string(k.key == 'J' ? "CtrlJ" : "CtrlEnter") + std::to_string(k.tabs);
    SCOPED_TRACE(title);
    OpenFromNote(200, 200, 'N');
    Type(title);
    Tabs(k.tabs);
    Complete(k.key);
    auto notes = WaitStoredNotes(++count);
    ASSERT_EQ(notes.size(), count);
    EXPECT_EQ(notes.back()["Title"], title);
    // The line feed went to the dialog, not into a field.
    EXPECT_EQ(notes.back()["MemoLineCount"], "1");
    EXPECT_EQ(WindowTextOf(c_.memo), "New Sticker Memo");
    EXPECT_EQ(WindowTextOf(c_.title), title);
    WaitUntil([&] { return ShownNotes().size() == count; }, 3000);
    EXPECT_EQ(ShownNotes().size(), count);
  }
}

TEST_F(NoteEditor, EditShowsTheNoteAndCompletingChangesIt) {
  const std::string schemes = Scheme(0, "Ocean", "clBlue") + Scheme(1, "Mint", "clLime") + Scheme(2, "Mint", "clRed");
  struct Case {
    const char* title;
    std::string memoKeys;
    const char* schemeName;
    int selected;      // the item preselected
    const char* memo;  // what the memo shows
  };
  const Case cases[] = {
      {"Ocean note", "MemoLineCount=2\r\nMemoLine0=>a\r\nMemoLine1=>b\r\n", "Ocean", 0, "a\r\nb"},
      {"Mint note", "MemoLineCount=1\r\nMemoLine0=>leaves\r\n", "Mint", 1, "leaves"},  // the first of two
      {"Case note", "MemoLineCount=1\r\nMemoLine0=>x\r\n", "mint", 0, "x"},           // case-sensitive
      {"Unknown", "MemoLineCount=1\r\nMemoLine0=>y\r\n", "Lagoon", 0, "y"},           // not in the list
      {"Empty note", "MemoLineCount=0\r\n", "Mint", 1, ""},                           // stays empty
  };
  std::vector<std::string> notes;
  for (std::size_t i = 0; i < std::size(cases); ++i)
    notes.push_back(NoteAt(100, 100 + 80 * static_cast<int>(i), cases[i].title,
                           cases[i].memoKeys + "Name=" + cases[i].schemeName + "\r\n"));
  StartWithNotes(notes, "SchemesCount=3\r\n", schemes);

  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& k = cases[i];
    SCOPED_TRACE(k.title);
    OpenFromNote(100, 100 + 80 * static_cast<int>(i), 'E');
    EXPECT_EQ(WindowTextOf(editor_), "Edit Note");
    EXPECT_EQ(WindowTextOf(c_.button), "Complete Edit");
    EXPECT_EQ(WindowTextOf(c_.title), k.title);
    EXPECT_EQ(WindowTextOf(c_.memo), k.memo);
    EXPECT_EQ(ComboItems(c_.schemes), (std::vector<std::string>{"Ocean", "Mint", "Mint"}));
    EXPECT_EQ(ComboSelection(c_.schemes), k.selected);
    // Typing replaces the title.
    EXPECT_EQ(EditSelection(c_.title), std::make_pair(0, static_cast<int>(std::string(k.title).size())));
    ClickCloseBox();
  }
  // Nothing was saved by opening and closing.
  EXPECT_EQ(WaitStoredNotes(5)[1]["Title"], "Mint note");

  // A new title and text for the "Mint" note: it takes the first "Mint" scheme.
  OpenFromNote(100, 180, 'E');
  Type("Mint list");
  Tabs(1);
  Type("x\ny");
  Complete();
  ASSERT_TRUE(WaitUntil([&] { return WaitStoredNotes(5)[1]["Title"] == "Mint list"; }));
  // The unknown scheme's note completed untouched gets the preselected first scheme.
  OpenFromNote(100, 340, 'E');
  Complete();
  ASSERT_TRUE(WaitUntil([&] { return WaitStoredNotes(5)[3]["Name"] == "Ocean"; }));

  auto stored = WaitStoredNotes(5);
  ASSERT_EQ(stored.size(), 5u);
  EXPECT_EQ(stored[1]["Title"], "Mint list");
  EXPECT_EQ(stored[1]["MemoLineCount"], "2");
  EXPECT_EQ(stored[1]["MemoLine0"], ">x");
  EXPECT_EQ(stored[1]["MemoLine1"], ">y");
  EXPECT_EQ(stored[1]["Name"], "Mint");
  EXPECT_EQ(stored[1]["TitleColor"], "clLime");
  EXPECT_EQ(stored[1]["MemoGradType"], "7");
  EXPECT_EQ(stored[1]["Top"], "180");
  EXPECT_EQ(stored[1]["Left"], "100");
  EXPECT_EQ(stored[3]["Title"], "Unknown");
  EXPECT_EQ(stored[3]["MemoLine0"], ">y");
  EXPECT_EQ(stored[3]["TitleColor"], "clBlue");
  // The other notes are as they were.
  EXPECT_EQ(stored[0]["Title"], "Ocean note");
  EXPECT_EQ(stored[2]["Name"], "mint");
  EXPECT_EQ(stored[4]["MemoLineCount"], "0");
  EXPECT_NE(NoteWindowAt(100, 180), nullptr);
  EXPECT_EQ(ShownNotes().size(), 5u);
}

TEST_F(NoteEditor, NewWhileEditingSwitchesModeInPlaceAndKeepsTheFields) {
  StartWithNotes({NoteAt(200, 200)});
  OpenFromNote(200, 200, 'E');
  POINT caption = CaptionPoint();
  Drag(caption, {caption.x - 300, caption.y - 100});
  ASSERT_TRUE(WaitUntil([&] { return EditorRect().bottom == kWorkArea.bottom - 5 - 100; }, 3000));
  RECT moved = EditorRect();

  OpenFromNote(200, 200, 'N');
  RECT r = EditorRect();
  EXPECT_TRUE(EqualRect(&r, &moved)) << "a shown editor keeps its place";
  EXPECT_EQ(WindowTextOf(editor_), "New Note");
  EXPECT_EQ(WindowTextOf(c_.button), "Create New");
  EXPECT_EQ(WindowTextOf(c_.title), "Shopping");
  EXPECT_EQ(WindowTextOf(c_.memo), "milk\r\nbread");

  Complete();
  auto notes = WaitStoredNotes(2);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0]["Title"], "Shopping");
  EXPECT_EQ(notes[0]["Top"], "200");
  EXPECT_EQ(notes[1]["Title"], "Shopping");
  EXPECT_EQ(notes[1]["Top"], "0");
  EXPECT_EQ(ShownNotes().size(), 2u);
}

TEST_F(NoteEditor, EmptiedMemoReadsNewNoteTextWhenShownFromHidden) {
  StartWithNotes({NoteAt(200, 200)});
  OpenFromNote(200, 200, 'N');
  Tabs(1);
  PressChord({VK_DELETE});
  ASSERT_TRUE(WaitUntil([&] { return WindowTextOf(c_.memo).empty(); }, 3000));

  // Opened again while still shown: the memo stays empty.
  OpenFromNote(200, 200, 'N');
  EXPECT_EQ(WindowTextOf(c_.memo), "");

  // Shown from hidden: the empty memo gets a text.
  ClickCloseBox();
  EXPECT_EQ(WindowTextOf(c_.memo), "");
  OpenFromNote(200, 200, 'N');
  EXPECT_EQ(WindowTextOf(c_.memo), "New Note Text");
}

TEST_F(NoteEditor, TitleTakesAtMostAHundredCharacters) {
  StartWithNotes({NoteAt(200, 200)});
  OpenFromNote(200, 200, 'N');
  std::string typed;
  for (int i = 0; i < 120; ++i) typed += static_cast<char>('a' + i % 26);
  Type(typed.substr(0, 100));
  // The twenty keys after these change nothing; Ctrl+Enter comes after them.
  for (char c : typed.substr(100)) PressChord({static_cast<WORD>(VkKeyScanA(c) & 0xFF)});
  Complete();
  EXPECT_EQ(WindowTextOf(c_.title), typed.substr(0, 100));
  auto notes = WaitStoredNotes(2);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[1]["Title"], typed.substr(0, 100));
}

TEST_F(NoteEditor, NewNoteTakesTheChosenSchemeOrTheDefault) {
  const std::map<std::string, std::string> defaultKeys = {
      {"Name", "Default"},        {"AlphaBlendValue", "0"},      {"TitleColor", "clWindow"},
      {"TitleFontColor", "clNavy"}, {"TitleGradColor", "clSkyBlue"}, {"TitleGradType", "0"},
      {"MemoColor", "clWhite"},   {"MemoFontColor", "clBlack"},  {"MemoGradColor", "clSkyBlue"},
      {"MemoGradType", "0"}};
  const std::string twoSchemes = Scheme(0, "Ocean", "clBlue") + Scheme(1, "Mint", "clLime");
  struct Case {
    const char* what;
    std::string mainKeys, sections;
    std::vector<std::string> items;
    int downs;  // Down presses in the scheme list
    std::string name, titleColor;
  };
  const Case cases[] = {
      {"no schemes", "", "", {}, 0, "Default", "clWindow"},
      {"first scheme preselected", "SchemesCount=2\r\n", twoSchemes, {"Ocean", "Mint"}, 0, "Ocean", "clBlue"},
      {"second scheme chosen", "SchemesCount=2\r\n", twoSchemes, {"Ocean", "Mint"}, 1, "Mint", "clLime"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    StartWithNotes({NoteAt(200, 200)}, k.mainKeys, k.sections);
    OpenFromNote(200, 200, 'N');
    EXPECT_EQ(ComboItems(c_.schemes), k.items);
    Tabs(2);
    for (int i = 0; i < k.downs; ++i) {
      PressChord({VK_DOWN});
      EXPECT_TRUE(WaitUntil([&] { return ComboSelection(c_.schemes) == i + 1; }, 3000));
    }
    EXPECT_EQ(ComboSelection(c_.schemes), k.items.empty() ? CB_ERR : k.downs);
    Complete();
    auto notes = WaitStoredNotes(2);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[1]["Name"], k.name);
    EXPECT_EQ(notes[1]["TitleColor"], k.titleColor);
    if (k.items.empty()) {
      for (const auto& [key, value] : defaultKeys) EXPECT_EQ(notes[1][key], value) << key;
    } else {
      EXPECT_EQ(notes[1]["TitleGradType"], "3");
      EXPECT_EQ(notes[1]["MemoGradColor"], "clSilver");
    }
  }
}

TEST_F(NoteEditor, EditWithoutSchemesGivesTheNoteTheCurrentScheme) {
  StartWithNotes({NoteAt(200, 200, "Limes", "MemoLineCount=1\r\nMemoLine0=>green\r\nName=Mint\r\n"
                                              "TitleColor=clLime\r\nMemoGradType=7\r\n")});
  OpenFromNote(200, 200, 'E');
  EXPECT_EQ(ComboItems(c_.schemes).size(), 0u);
  EXPECT_EQ(ComboSelection(c_.schemes), CB_ERR);
  Complete();
  std::vector<std::map<std::string, std::string>> notes;
  ASSERT_TRUE(WaitUntil([&] {
    notes = StoredNotes(folder_->ReadIni().value_or(""));
    return notes.size() == 1 && notes[0]["Name"] == "Default";
  })) << "the note kept its own scheme";
  EXPECT_EQ(notes[0]["Title"], "Limes");
  EXPECT_EQ(notes[0]["MemoLine0"], ">green");
  EXPECT_EQ(notes[0]["TitleColor"], "clWindow");
  EXPECT_EQ(notes[0]["MemoGradType"], "0");
}

TEST_F(NoteEditor, ReadOnlySettingsFileShowsTheErrorAndKeepsTheNote) {
  StartWithNotes({NoteAt(200, 200)});
  OpenFromNote(200, 200, 'N');
  Type("Unsaved");
  const std::string fileBefore = folder_->ReadIni().value_or("");
  ASSERT_TRUE(SetFileAttributesA(folder_->Ini().c_str(), FILE_ATTRIBUTE_READONLY));
  Complete();

  auto box = WaitForMessageBox(*app_);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Wisplet");
  EXPECT_EQ(box->text, "Unable to write to " + folder_->Ini());
  // The note was made before the save failed.
  EXPECT_FALSE(IsWindowVisible(editor_));
  EXPECT_EQ(ShownNotes().size(), 2u);
  SaveScreenshot("note-editor-write-error");
  PressMessageBoxButton(*box, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !WaitForMessageBox(*app_, 0).has_value(); }, 5000));
  EXPECT_EQ(folder_->ReadIni().value_or(""), fileBefore);
  EXPECT_EQ(ShownNotes().size(), 2u);
}

TEST_F(NoteEditor, CompletingAnEditOfARemovedNoteMakesANewNote) {
  StartWithNotes({NoteAt(200, 200, "Doomed")});
  OpenFromNote(200, 200, 'E');
  HWND doomed = NoteWindowAt(200, 200);

  // The note is closed for good while its edit is open.
  Click(300, 206);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == doomed; }, 5000));
  PressChord({VK_F10});
  auto box = WaitForMessageBox(*app_);
  ASSERT_TRUE(box.has_value());
  PressMessageBoxButton(*box, IDYES);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(doomed); }, 5000));
  ASSERT_TRUE(IsWindowVisible(editor_));

  // Back to the editor by its caption: the title is focused and selected.
  POINT caption = CaptionPoint();
  Click(caption.x, caption.y);
  ASSERT_TRUE(WaitUntil([&] { return Focus() == c_.title; }, 5000));
  Type("Rescued");
  Complete();

  std::vector<std::map<std::string, std::string>> notes;
  ASSERT_TRUE(WaitUntil([&] {
    notes = StoredNotes(folder_->ReadIni().value_or(""));
    return notes.size() == 1 && notes[0]["Title"] == "Rescued";
  })) << "the settings file does not hold the rescued text";
  EXPECT_EQ(notes[0]["Title"], "Rescued");
  EXPECT_EQ(notes[0]["MemoLine0"], ">milk");
  EXPECT_EQ(notes[0]["MemoLine1"], ">bread");
  EXPECT_EQ(notes[0]["Top"], "0");
  EXPECT_FALSE(IsWindowVisible(doomed));
  auto shown = ShownNotes();
  ASSERT_EQ(shown.size(), 1u);
  RECT r{};
  GetWindowRect(shown[0], &r);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, kScreenWidth);
}




// A title of two quote characters, which the file must keep quoted, and a text
// of more lines than a damaged line count is ever taken to mean, through the
// editor, a save, a restart and a second save.
TEST_F(NoteEditor, ATitleOfTwoQuotesAndATextOfManyLinesSurviveASaveAndARestart) {
  std::string body;
  for (int i = 0; i < 1100; ++i) body += (i % 10 == 5 ? std::string() : "line " + std::to_string(i)) + "\r\n";
  body += "last";
  StartWithNotes({NoteAt(200, 200)});
  OpenFromNote(200, 200, 'N');
  Type("\"\"");
  Tabs(1);
  SetClipboardText(body);
  SendMessageA(c_.memo, EM_SETSEL, 0, -1);
  ASSERT_TRUE(PressChordUntil({VK_CONTROL, 'V'}, [&] { return WindowTextOf(c_.memo) == body; }))
      << "the text was not pasted whole";
  Complete();
  auto notes = WaitStoredNotes(2);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[1]["Title"], "\"\"\"\"");  // quoted, or it would read back empty
  EXPECT_EQ(notes[1]["MemoLineCount"], "1101");
  EXPECT_EQ(notes[1]["MemoLine1100"], ">last");
  const int left = std::stoi(notes[1]["Left"]), top = std::stoi(notes[1]["Top"]);

  ASSERT_TRUE(app_->Exit());
  const std::string saved = folder_->ReadIni().value_or("");
  app_ = std::make_unique<AppProcess>(folder_->Exe());
  ASSERT_TRUE(app_->WaitUp());
  editor_ = app_->FindWindowOfClass("TFormSticker");
  c_ = ControlsOf(editor_);
  OpenFromNote(left, top, 'E', 700);
  EXPECT_EQ(WindowTextOf(c_.title), "\"\"");
  EXPECT_EQ(WindowTextOf(c_.memo), body);
  ClickCloseBox();
  ASSERT_TRUE(app_->Exit());
  EXPECT_EQ(folder_->ReadIni(), saved);
}
