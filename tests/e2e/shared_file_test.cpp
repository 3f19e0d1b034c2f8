// One settings file shared with another PC through a synced folder: what
// another writer puts in the file while Wisplet runs shows at once, saves
// keep it, and sync clients' conflict copies are merged and put aside.
#include <gtest/gtest.h>

#include <cstdio>

#include "harness.h"

using namespace e2e;

namespace {

std::string NoteKeys(const std::string& id, const std::string& title, const std::string& line, int left, int top) {
  return "Title=" + title + "\r\nMemoLineCount=1\r\nMemoLine0=>" + line + "\r\nID=" + id +
         "\r\nActive=1\r\nTop=" + std::to_string(top) + "\r\nLeft=" + std::to_string(left) + "\r\n";
}

// As a sync client puts a file in place: written beside it, then moved over it.
void ReplaceFile(const std::string& path, const std::string& bytes) {
  WriteFileBytes(path + ".part", bytes);
  ASSERT_TRUE(MoveFileExA((path + ".part").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
}

bool Shown(HWND note) { return note && IsWindowVisible(note); }

// The position of `text` in the file, npos when it is not there.
std::size_t Find(const TestFolder& folder, const std::string& text) {
  return folder.ReadIni().value_or("").find(text);
}

}  // namespace

// Another PC adds a note, moves one and closes one while Wisplet runs, which
// has a change of its own not yet saved: the windows follow at once, and
// "Exit" writes both writers' changes, the user's own lines kept.
TEST(SharedFile, AnotherWritersChangesShowAtOnceAndExitWritesBoth) {
  TestFolder folder;
  const std::string mine = "[Mine]\r\nkept=yes\r\n";
  folder.WriteIni(NotesIni({NoteKeys("a", "Moved there", "1", 300, 100), NoteKeys("b", "Closed there", "2", 300, 200),
                            NoteKeys("c", "Hidden here", "3", 300, 300)}) +
                  mine);
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  HWND moved = NoteWindowAt(app, 300, 100), closed = NoteWindowAt(app, 300, 200), hidden = NoteWindowAt(app, 300, 300);
  ASSERT_TRUE(moved && closed && hidden);
  Click(300 + 100, 300 + 6);
  ASSERT_TRUE(PressChordUntil({VK_CONTROL, 'H'}, [&] { return !IsWindowVisible(hidden); }));

  const DWORD written = GetTickCount();
  ReplaceFile(folder.Ini(), NotesIni({NoteKeys("a", "Moved there", "1", 600, 100), NoteKeys("c", "Hidden here", "3", 300, 300),
                                      NoteKeys("d", "Added there", "4", 300, 400)}) +
                                mine);
  ASSERT_TRUE(WaitUntil([&] {
    return WindowBounds(moved).left == 600 && !IsWindowVisible(closed) && Shown(NoteWindowAt(app, 300, 400));
  })) << "the windows do not show the file";
  std::printf("[ SharedFile ] shown %lu ms after the file was replaced\n", GetTickCount() - written);
  EXPECT_FALSE(IsWindowVisible(hidden)) << "the change made here was lost";
  EXPECT_EQ(NoteWindows(app).size(), 4u);  // the closed one's window stays, hidden

  ASSERT_TRUE(app.Exit());
  const std::string after = folder.ReadIni().value_or("");
  EXPECT_NE(after.find("StickerCount=3\r\n"), std::string::npos) << after;
  EXPECT_NE(after.find("[Sticker0]\r\nTitle=Moved there\r\n"), std::string::npos) << after;
  EXPECT_NE(after.find("ID=a\r\nActive=1\r\nOnTop=0\r\nMinState=0\r\nTop=100\r\nLeft=600\r\n"), std::string::npos);
  EXPECT_NE(after.find("[Sticker1]\r\nTitle=Hidden here\r\nMemoLineCount=1\r\nMemoLine0=>3\r\nID=c\r\nActive=0\r\n"),
            std::string::npos)
      << after;
  EXPECT_NE(after.find("[Sticker2]\r\nTitle=Added there\r\n"), std::string::npos) << after;
  EXPECT_NE(after.find("ClosedCount=1\r\n"), std::string::npos) << after;
  EXPECT_NE(after.find("[Closed0]\r\nTitle=Closed there\r\n"), std::string::npos) << after;
  EXPECT_NE(after.find(mine), std::string::npos) << after;
}

// Copies a sync client leaves beside the file, of its three kinds: a whole
// one is merged (a note it adds, a note it holds in another text as a second
// note), written to the file and renamed; a damaged one is left as it is and
// reported once.
TEST(SharedFile, ConflictCopiesAreMergedAndPutAsideADamagedOneReportedOnce) {
  TestFolder folder;
  const std::string base = NotesIni({NoteKeys("a", "Ours", "kept", 300, 100)});
  folder.WriteIni(base);
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());

  const std::string laptop = folder.Path() + "\\Wisplet (Laptop's conflicted copy).ini";
  WriteFileBytes(laptop, NotesIni({NoteKeys("a", "Ours", "changed on the laptop", 300, 100),
                                   NoteKeys("e", "From the laptop", "5", 300, 500)}));
  ASSERT_TRUE(WaitUntil([&] { return FileExists(laptop + ".merged") && !FileExists(laptop); }));
  EXPECT_TRUE(Shown(NoteWindowAt(app, 300, 500)));
  EXPECT_EQ(VisibleWindowsOfClass(app, "TStickerWindow").size(), 3u);
  EXPECT_NE(Find(folder, "Title=From the laptop\r\n"), std::string::npos);
  EXPECT_NE(Find(folder, "Title=Ours (changed elsewhere)\r\nMemoLineCount=1\r\nMemoLine0=>changed on the laptop\r\n"),
            std::string::npos)
      << folder.ReadIni().value_or("");
  EXPECT_NE(Find(folder, "Title=Ours\r\nMemoLineCount=1\r\nMemoLine0=>kept\r\n"), std::string::npos);

  const std::string damaged = folder.Path() + "\\Wisplet-PC2.ini";
  const std::string cut = "[Main]\r\nStickerCount=2\r\n[Sticker0]\r\nTitle=Cut short\r\n";
  WriteFileBytes(damaged, cut);
  auto box = WaitForMessageBox(app);
  ASSERT_TRUE(box.has_value()) << "the damaged copy was not reported";
  EXPECT_NE(box->text.find(damaged), std::string::npos) << box->text;
  PressMessageBoxButton(*box, IDOK);
  EXPECT_EQ(ReadFileBytes(damaged), cut);
  EXPECT_EQ(Find(folder, "Cut short"), std::string::npos);

  // The next change merges the next copy, and says nothing again.
  const std::string syncthing = folder.Path() + "\\Wisplet.sync-conflict-20261207-101500-ABCDEFG.ini";
  WriteFileBytes(syncthing, NotesIni({NoteKeys("f", "From Syncthing", "6", 600, 500)}));
  ASSERT_TRUE(WaitUntil([&] { return FileExists(syncthing + ".merged"); }));
  EXPECT_TRUE(Shown(NoteWindowAt(app, 600, 500)));
  EXPECT_FALSE(WaitForMessageBox(app, 1000).has_value()) << "the damaged copy was reported twice";
  EXPECT_EQ(ReadFileBytes(damaged), cut);
  ASSERT_TRUE(app.Exit());
  EXPECT_NE(Find(folder, "StickerCount=4\r\n"), std::string::npos) << folder.ReadIni().value_or("");
}

// The file edited by hand while the note editor is open on one of its notes:
// the editor keeps what the user typed, the new note from the file shows,
// and "Complete Edit" keeps the note's text from the file beside it.
TEST(SharedFile, AHandEditWhileTheEditorIsOpenKeepsTheEditorsText) {
  TestFolder folder;
  folder.WriteIni(NotesIni({NoteKeys("a", "Shopping", "milk", 300, 100)}));
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  HWND note = NoteWindowAt(app, 300, 100);
  ASSERT_NE(note, nullptr);
  HWND editor = app.FindWindowOfClass("TFormSticker");
  Click(300 + 100, 100 + 6);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == note; }, 5000));
  ASSERT_TRUE(PressChordUntil({VK_CONTROL, 'E'}, [&] { return IsWindowVisible(editor); }));
  ASSERT_TRUE(WaitUntil([&] { return FocusedWindowOf(editor) != nullptr; }, 5000));
  HWND title = FocusedWindowOf(editor);
  ASSERT_TRUE(TypeInto(title, "List"));

  WriteFileBytes(folder.Ini(), NotesIni({NoteKeys("a", "Shopping", "milk, butter", 300, 100),
                                         NoteKeys("g", "Typed in the file", "7", 600, 100)}));
  ASSERT_TRUE(WaitUntil([&] { return Shown(NoteWindowAt(app, 600, 100)); }));
  EXPECT_EQ(WindowTextOf(title), "List");
  EXPECT_TRUE(IsWindowVisible(editor));

  ASSERT_TRUE(PressChordUntil({VK_CONTROL, VK_RETURN}, [&] { return !IsWindowVisible(editor); }));
  ASSERT_TRUE(WaitUntil([&] { return Find(folder, "StickerCount=3\r\n") != std::string::npos; }))
      << folder.ReadIni().value_or("");
  EXPECT_NE(Find(folder, "Title=List\r\nMemoLineCount=1\r\nMemoLine0=>milk\r\nID=a\r\n"), std::string::npos);
  EXPECT_NE(Find(folder, "Title=Shopping (changed elsewhere)\r\nMemoLineCount=1\r\nMemoLine0=>milk, butter\r\n"),
            std::string::npos)
      << folder.ReadIni().value_or("");
  EXPECT_NE(Find(folder, "Title=Typed in the file\r\n"), std::string::npos);
  ASSERT_TRUE(app.Exit());
}
