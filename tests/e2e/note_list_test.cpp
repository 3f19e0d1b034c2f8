// The note list as the settings file keeps it: notes re-created at start-up,
// written back at exit, removed and renumbered, and never lost by a failed save.
#include <gtest/gtest.h>

#include "harness.h"

using namespace e2e;

namespace {

std::string Canonical(int n, const std::string& title, const std::string& body, bool active, bool onTop,
                      bool minState, int top, int left, int height, int width, const std::string& scheme) {
  return "[Sticker" + std::to_string(n) + "]\r\nTitle=" + title + "\r\n" + body + "ID=id" + std::to_string(n) +
         "\r\nActive=" + (active ? "1" : "0") + "\r\nOnTop=" + (onTop ? "1" : "0") + "\r\nMinState=" +
         (minState ? "1" : "0") + "\r\nTop=" + std::to_string(top) + "\r\nLeft=" + std::to_string(left) +
         "\r\nHeight=" + std::to_string(height) + "\r\nWidth=" + std::to_string(width) + "\r\n" + scheme;
}

const char kScheme[] =
    "Name=Default\r\nAlphaBlendValue=0\r\nTitleColor=clWindow\r\nTitleFontColor=clNavy\r\n"
    "TitleGradColor=clSkyBlue\r\nTitleGradType=0\r\nMemoColor=clWhite\r\nMemoFontColor=clBlack\r\n"
    "MemoGradColor=clSkyBlue\r\nMemoGradType=0\r\n";
const char kTranslucent[] =
    "Name=Glass\r\nAlphaBlendValue=50\r\nTitleColor=clNavy\r\nTitleFontColor=clWhite\r\n"
    "TitleGradColor=clAqua\r\nTitleGradType=5\r\nMemoColor=clCream\r\nMemoFontColor=clBlack\r\n"
    "MemoGradColor=$00C0FFFF\r\nMemoGradType=2\r\n";

}  // namespace

TEST(NoteList, NotesOfEveryKindAreReadAtStartUpAndWrittenBackUnchanged) {
  const int rolledUp = NoteLineHeight() + 4;
  const std::string file =
      "[Main]\r\nCurrentStyle=Default\r\nSchemesCount=0\r\nStickerCount=5\r\n" +
      Canonical(0, "Shown", "MemoLineCount=3\r\nMemoLine0=>milk\r\nMemoLine1=>\r\nMemoLine2=>  bread\r\n", true,
                false, false, 40, 600, 90, 240, kScheme) +
      Canonical(1, "Hidden", "MemoLineCount=1\r\nMemoLine0=>>quoted\r\n", false, false, false, 150, 600, 50, 200,
                kScheme) +
      Canonical(2, "Rolled up", "MemoLineCount=1\r\nMemoLine0=>under the title\r\n", true, false, true, 250, 600,
                rolledUp, 200, kScheme) +
      Canonical(3, "On top", "MemoLineCount=0\r\n", true, true, false, 300, 600, 50, 200, kScheme) +
      Canonical(4, "Translucent", "MemoLineCount=2\r\nMemoLine0=>see\r\nMemoLine1=>through\r\n", true, false, false,
                400, 600, 60, 220, kTranslucent);
  TestFolder folder;
  folder.WriteIni(file);
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  auto notes = NoteWindows(app);
  ASSERT_EQ(notes.size(), 5u);
  HWND hidden = NoteWindowAt(app, 600, 150), onTop = NoteWindowAt(app, 600, 300);
  HWND rolled = NoteWindowAt(app, 600, 250), glass = NoteWindowAt(app, 600, 400);
  ASSERT_TRUE(hidden && onTop && rolled && glass);
  EXPECT_FALSE(IsWindowVisible(hidden));
  EXPECT_TRUE(GetWindowLongA(onTop, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(WindowBounds(rolled).bottom - WindowBounds(rolled).top, rolledUp);
  EXPECT_EQ(LayeredAlpha(glass), std::optional<BYTE>(127));
  SaveScreenshot("stored-notes");
  ASSERT_TRUE(app.Exit());
  EXPECT_EQ(folder.ReadIni(), file);
}

TEST(NoteList, ACountedButEmptySectionGivesAHiddenSomeTitleNote) {
  TestFolder folder;
  folder.WriteIni("[Main]\r\nStickerCount=1\r\n[Sticker0]\r\n");
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  auto notes = NoteWindows(app);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_FALSE(IsWindowVisible(notes[0]));
  RECT r = WindowBounds(notes[0]);
  EXPECT_EQ(r.right - r.left, 200);
  EXPECT_EQ(r.bottom - r.top, 50);
  ASSERT_TRUE(app.Exit());
  std::string after = *folder.ReadIni();
  EXPECT_NE(after.find("[Sticker0]\r\nTitle=Some Title\r\nMemoLineCount=0\r\nID=\r\nActive=0\r\n"),
            std::string::npos)
      << after;
  EXPECT_NE(after.find("TitleColor=$00DCDCDC\r\n"), std::string::npos);
}

TEST(NoteList, ClosingTheMiddleOfThreeRenumbersTheRest) {
  TestFolder folder;
  folder.WriteIni(NotesIni({"Title=One\r\nActive=1\r\nTop=100\r\nLeft=300\r\n",
                            "Title=Two\r\nActive=1\r\nTop=200\r\nLeft=300\r\n",
                            "Title=Three\r\nActive=1\r\nTop=300\r\nLeft=300\r\n"}));
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  HWND two = NoteWindowAt(app, 300, 200);
  ASSERT_NE(two, nullptr);
  Click(300 + 100, 200 + 30);  // on the text: activates the note
  PressChord({VK_F10});
  auto box = WaitForMessageBox(app);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Close Note");
  EXPECT_EQ(box->text, "Close and remove Note: \"Two\" ?");
  PressMessageBoxButton(*box, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(two); }, 3000));
  ASSERT_TRUE(app.Exit());
  std::string after = *folder.ReadIni();
  EXPECT_NE(after.find("StickerCount=2\r\n"), std::string::npos);
  EXPECT_NE(after.find("[Sticker0]\r\nTitle=One\r\n"), std::string::npos);
  EXPECT_NE(after.find("[Sticker1]\r\nTitle=Three\r\n"), std::string::npos);
  EXPECT_EQ(after.find("[Sticker2]"), std::string::npos);
  // Gone from the notes; kept only as the note closed last.
  EXPECT_NE(after.find("ClosedCount=1\r\n"), std::string::npos);
  EXPECT_NE(after.find("[Closed0]\r\nTitle=Two\r\n"), std::string::npos);
  EXPECT_EQ(after.find("Title=Two"), after.rfind("Title=Two"));
}

TEST(NoteList, AFailedSaveKeepsEveryNoteAndTheFileAsItWas) {
  TestFolder folder;
  const std::string file = NotesIni({"Title=Keep me\r\nActive=1\r\nTop=100\r\nLeft=300\r\n",
                                     "Title=And me\r\nActive=0\r\nTop=200\r\nLeft=300\r\n"});
  folder.WriteIni(file);
  SetFileAttributesA(folder.Ini().c_str(), FILE_ATTRIBUTE_READONLY);
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  app.RequestExit();
  auto box = WaitForMessageBox(app);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, "Unable to write to " + folder.Ini());
  PressMessageBoxButton(*box, IDOK);
  Sleep(300);
  EXPECT_TRUE(app.Running());
  EXPECT_EQ(NoteWindows(app).size(), 2u);
  EXPECT_TRUE(IsWindowVisible(NoteWindowAt(app, 300, 100)));
  EXPECT_EQ(folder.ReadIni(), file);
  SetFileAttributesA(folder.Ini().c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(app.Exit());
  std::string after = *folder.ReadIni();
  EXPECT_NE(after.find("Title=Keep me\r\n"), std::string::npos);
  EXPECT_NE(after.find("Title=And me\r\n"), std::string::npos);
}

// A closed note comes back from the tray menu's "Recently closed" where it
// was, shown, and is saved at once; the list is read from the file and
// written back to it, and "Clear List" empties it.
TEST(NoteList, AClosedNoteComesBackFromRecentlyClosed) {
  TestFolder folder;
  std::string ini = NotesIni({"Title=One\r\nActive=1\r\nTop=100\r\nLeft=300\r\n",
                              "Title=Two\r\nMemoLineCount=1\r\nMemoLine0=>milk\r\nActive=1\r\nTop=200\r\n"
                              "Left=300\r\n"});
  ini.insert(std::string("[Main]\r\n").size(), "ClosedCount=1\r\n");
  folder.WriteIni(ini + "[Closed0]\r\nTitle=Earlier\r\nActive=1\r\nTop=300\r\nLeft=600\r\n");
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  HWND two = NoteWindowAt(app, 300, 200);
  ASSERT_NE(two, nullptr);
  Click(300 + 100, 200 + 30);
  PressChord({VK_F10});
  auto box = WaitForMessageBox(app);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, "Close and remove Note: \"Two\" ?");  // closing still asks first
  PressMessageBoxButton(*box, IDYES);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(two); }, 3000));
  EXPECT_EQ(folder.ReadIni(), ini + "[Closed0]\r\nTitle=Earlier\r\nActive=1\r\nTop=300\r\nLeft=600\r\n")
      << "closing wrote the file";

  // Notes List: Show All, Hide All, the notes, then "Recently closed", whose
  // first entry is the note closed last.
  auto openRecentlyClosed = [&](int notes) {
    if (!OpenTrayMenu(app)) return false;
    Key(VK_DOWN, 5);
    Key(VK_RIGHT);
    Key(VK_DOWN, 2 + notes);
    Key(VK_RIGHT);
    return WaitUntil([&] { return VisibleWindowsOfClass(app, "#32768").size() == 3; }, 3000);
  };
  ASSERT_TRUE(openRecentlyClosed(1));
  SaveScreenshot("tray-menu-recently-closed");
  Key(VK_RETURN);
  HWND back = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (back = NoteWindowAt(app, 300, 200)) && back != two && IsWindowVisible(back); },
                        3000));
  EXPECT_TRUE(WaitUntil([&] {
    std::string now = folder.ReadIni().value_or("");
    return now.find("StickerCount=2\r\n") != std::string::npos &&
           now.find("[Sticker1]\r\nTitle=Two\r\nMemoLineCount=1\r\nMemoLine0=>milk\r\n") != std::string::npos &&
           now.find("ClosedCount=1\r\n") != std::string::npos &&
           now.find("[Closed0]\r\nTitle=Earlier\r\n") != std::string::npos;
  }, 3000)) << folder.ReadIni().value_or("");

  // The one left, "Earlier", then past the separator "Clear List".
  ASSERT_TRUE(openRecentlyClosed(2));
  Key(VK_DOWN);
  Key(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return ShownMenu(app) == nullptr; }, 3000));
  ASSERT_TRUE(app.Exit());
  std::string after = *folder.ReadIni();
  EXPECT_NE(after.find("ClosedCount=0\r\n"), std::string::npos) << after;
  EXPECT_EQ(after.find("[Closed"), std::string::npos) << after;
  EXPECT_NE(after.find("StickerCount=2\r\n"), std::string::npos) << after;
}
