// The command line: Wisplet started with a switch, and a second start that
// hands its switch to the running copy and ends.
#include <gtest/gtest.h>

#include "harness.h"

using namespace e2e;

namespace {

std::string Quoted(const std::string& exe) { return "\"" + exe + "\""; }

int ShownNotes(const AppProcess& app) {
  int n = 0;
  for (HWND h : NoteWindows(app)) n += IsWindowVisible(h) ? 1 : 0;
  return n;
}

}  // namespace

TEST(CommandLine, SwitchesStartWispletOrGoToTheRunningCopy) {
  TestFolder folder;
  // Without a running copy: a switch it does not know, and "/?", say so in
  // one message and end; "/exit" has nothing to end and writes nothing.
  struct Case {
    const char* args;
    const char* said;
    DWORD code;
  } cases[] = {{"/bogus", "does not understand the command line \"/bogus\"", 1}, {"-?", "/hide - hides all notes", 0}};
  for (const Case& c : cases) {
    AppProcess lone(folder.Exe(), c.args);
    std::optional<MessageBoxInfo> box = WaitForMessageBox(lone);
    ASSERT_TRUE(box.has_value()) << c.args;
    EXPECT_EQ(box->caption, "Wisplet");
    EXPECT_NE(box->text.find(c.said), std::string::npos) << box->text;
    EXPECT_NE(box->text.find("/new [text] - opens the note editor"), std::string::npos) << box->text;
    PressMessageBoxButton(*box, IDOK);
    EXPECT_EQ(lone.WaitExit(), std::optional<DWORD>(c.code)) << c.args;
  }
  EXPECT_EQ(RunAndWait(Quoted(folder.Exe()) + " /exit"), std::optional<DWORD>(0));
  EXPECT_FALSE(folder.ReadIni().has_value());

  // "/new" starts Wisplet and opens the editor with the text filled in.
  folder.WriteIni(NotesIni({"Title=Kept\r\nActive=1\r\nTop=100\r\nLeft=100\r\n"}));
  AppProcess app(folder.Exe(), "/new \"buy milk\"");
  HWND editor = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (editor = app.FindWindowOfClass("TFormSticker")) && IsWindowVisible(editor); }));
  EXPECT_NE(ChildWithText(editor, "buy milk"), nullptr);
  PostMessageA(editor, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(editor); }));

  // With Wisplet running, each start hands its switch over and ends.
  EXPECT_EQ(RunAndWait(Quoted(folder.Exe()) + " /NEW two words"), std::optional<DWORD>(0));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(editor) && ChildWithText(editor, "two words"); }));
  PostMessageA(editor, WM_CLOSE, 0, 0);
  EXPECT_EQ(RunAndWait(Quoted(folder.Exe()) + " /hide"), std::optional<DWORD>(0));
  EXPECT_TRUE(WaitUntil([&] { return ShownNotes(app) == 0; }));
  EXPECT_EQ(RunAndWait(Quoted(folder.Exe()) + " -show"), std::optional<DWORD>(0));
  EXPECT_TRUE(WaitUntil([&] { return ShownNotes(app) == 1; }));
  EXPECT_EQ(RunAndWait(Quoted(folder.Exe())), std::optional<DWORD>(0));  // a plain start: silent
  EXPECT_EQ(ProcessesNamed("Wisplet.exe").size(), 1u);

  // "/exit" returns once the running copy has saved and ended.
  EXPECT_EQ(RunAndWait(Quoted(folder.Exe()) + " /exit"), std::optional<DWORD>(0));
  EXPECT_FALSE(app.Running());
  EXPECT_NE(folder.ReadIni().value_or("").find("[Sticker0]\r\nTitle=Kept\r\nMemoLineCount=0\r\nID=\r\nActive=1\r\n"),
            std::string::npos);
}
