// A note on the desktop, created from the settings file: its window styles and
// what it paints.
#include <gtest/gtest.h>

#include "harness.h"

using namespace e2e;

namespace {

std::string Note(int n, const std::string& keys) { return "[Sticker" + std::to_string(n) + "]\r\n" + keys; }

std::vector<HWND> Notes(const AppProcess& app) {
  std::vector<HWND> notes;
  for (const auto& w : app.Windows())
    if (w.className == "TStickerWindow") notes.push_back(w.hwnd);
  return notes;
}

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

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return c;
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
  EXPECT_EQ(folder.ReadIni(), file);
}
