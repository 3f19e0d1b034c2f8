#pragma once
// What the tests of notes driven with the real mouse and keyboard share: notes
// for the settings file, a note on the screen and where its parts are, and a
// fixture that starts the program with notes and reads what it saved.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "harness.h"
#include "notes/note_layout.h"

namespace e2e {

using wisplet::NoteLayout;
using wisplet::Rect;

// A shown note for the settings file.
inline std::string StoredNote(const std::string& title, const std::vector<std::string>& lines, int left, int top,
                              int width = 200, int height = 50, const std::string& more = "") {
  std::string keys = "Title=" + title + "\r\nMemoLineCount=" + std::to_string(lines.size()) + "\r\n";
  for (size_t i = 0; i < lines.size(); ++i) keys += "MemoLine" + std::to_string(i) + "=>" + lines[i] + "\r\n";
  keys += "Active=1\r\nTop=" + std::to_string(top) + "\r\nLeft=" + std::to_string(left) +
          "\r\nWidth=" + std::to_string(width) + "\r\nHeight=" + std::to_string(height) + "\r\n";
  return keys + more;
}

// A note on the screen and where its parts are, following its current size.
struct ShownNote {
  HWND hwnd = nullptr;

  RECT Bounds() const { return WindowBounds(hwnd); }
  int Width() const { return Bounds().right - Bounds().left; }
  int Height() const { return Bounds().bottom - Bounds().top; }
  NoteLayout Layout() const { return NoteLayout{Width(), Height(), NoteLineHeight()}; }
  // A client position on the screen.
  POINT At(int x, int y) const {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
  }
  POINT CenterOf(const Rect& part) const { return At((part.left + part.right) / 2, (part.top + part.bottom) / 2); }
  POINT Title() const { return CenterOf(Layout().TitleLabel()); }
  POINT Text() const { return CenterOf(Layout().MemoLabel()); }
  // The bare margin left of the text: the text-area panel itself, where a
  // click does nothing but activate and start a move.
  POINT Margin() const { return At(0, Layout().MemoLabel().top + 4); }
  bool Visible() const { return IsWindowVisible(hwnd) != FALSE; }
  bool Topmost() const { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
};

class NoteFixture : public ::testing::Test {
 public:
  void Start(const std::vector<std::string>& notes) {
    folder_.WriteIni(NotesIni(notes));
    app_ = std::make_unique<AppProcess>(folder_.Exe());
    ASSERT_TRUE(app_->WaitUp());
  }

  // The shown note stored at (left, top).
  ShownNote NoteAt(int left, int top) {
    ShownNote note;
    WaitUntil([&] { return (note.hwnd = NoteWindowAt(*app_, left, top)) && note.Visible(); }, 5000);
    if (!note.hwnd) ADD_FAILURE() << "no note at " << left << "," << top;
    return note;
  }

  // A value of the settings file as written at exit.
  std::string Saved(const std::string& section, const std::string& key) const {
    char value[4096] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "<missing>", value, sizeof value,
                             folder_.Ini().c_str());
    return value;
  }

  void Park() { MouseMove(1000, 5); }  // away from every note

  TestFolder folder_;
  std::unique_ptr<AppProcess> app_;
};

}  // namespace e2e
