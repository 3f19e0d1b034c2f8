// The settings file beside the executable: when it is written, what a round
// trip does to it, and what a failing save leaves behind.
#include <gtest/gtest.h>

#include "harness.h"  // windows.h first
#include <sddl.h>

#include <cstdint>
#include <cstdio>

#include "storage/safe_file.h"

using namespace e2e;

namespace {

const char kSchemesFile[] =
    "[Main]\r\n"
    "CurrentStyle=OfficeXP\r\n"
    "SchemesCount=3\r\n"
    "StickerCount=0\r\n"
    "[Scheme0]\r\n"
    "Name=Default\r\n"
    "AlphaBlendValue=0\r\n"
    "TitleColor=clWindow\r\n"
    "TitleFontColor=clNavy\r\n"
    "TitleGradColor=clSkyBlue\r\n"
    "TitleGradType=0\r\n"
    "MemoColor=clWhite\r\n"
    "MemoFontColor=clBlack\r\n"
    "MemoGradColor=clSkyBlue\r\n"
    "MemoGradType=0\r\n"
    "[Scheme1]\r\n"
    "Name=Caf\xE9 au lait\r\n"
    "AlphaBlendValue=30\r\n"
    "TitleColor=$00123456\r\n"
    "TitleFontColor=clHotLight\r\n"
    "TitleGradColor=clNone\r\n"
    "TitleGradType=7\r\n"
    "MemoColor=clInfoBk\r\n"
    "MemoFontColor=clWindowText\r\n"
    "MemoGradColor=clCream\r\n"
    "MemoGradType=4\r\n"
    "[Scheme2]\r\n"
    "Name=Default\r\n"
    "AlphaBlendValue=90\r\n"
    "TitleColor=clBlack\r\n"
    "TitleFontColor=clWhite\r\n"
    "TitleGradColor=clGray\r\n"
    "TitleGradType=6\r\n"
    "MemoColor=clNone\r\n"
    "MemoFontColor=clRed\r\n"
    "MemoGradColor=clLime\r\n"
    "MemoGradType=5\r\n";

// A file whose next save changes it (the scheme count is missing).
const char kPendingChange[] = "[Main]\r\nCurrentStyle=Default\r\n; mine\r\n[Mine]\r\nkept=yes\r\n";

const char kAfterPendingChange[] =
    "[Main]\r\nCurrentStyle=Default\r\n; mine\r\nSchemesCount=0\r\nStickerCount=0\r\n[Mine]\r\nkept=yes\r\n";

std::string RecoveryFile(const TestFolder& folder) { return folder.Ini() + ".recovery"; }

// The file's owner, group and access list as text.
std::string SecurityOf(const std::string& path) {
  const SECURITY_INFORMATION info = OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  DWORD size = 0;
  GetFileSecurityA(path.c_str(), info, nullptr, 0, &size);
  std::string descriptor(size, '\0');
  if (!size || !GetFileSecurityA(path.c_str(), info, descriptor.data(), size, &size)) return "(none)";
  char* text = nullptr;
  ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor.data(), SDDL_REVISION_1, info, &text, nullptr);
  std::string result = text ? text : "(none)";
  LocalFree(text);
  return result;
}

std::uint64_t FileIndexOf(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  BY_HANDLE_FILE_INFORMATION info{};
  GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  return (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
}

void ExpectUnableToWrite(const AppProcess& app, const TestFolder& folder) {
  auto box = WaitForMessageBox(app);
  ASSERT_TRUE(box.has_value()) << "no error box";
  EXPECT_EQ(box->caption, "Wisplet");
  EXPECT_EQ(box->text, "Unable to write to " + folder.Ini());
  PressMessageBoxButton(*box, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box->hwnd); }));
}

}  // namespace

TEST(SettingsFile, AFirstStartCreatesNoFileUntilExit) {
  TestFolder folder;
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  Sleep(300);
  EXPECT_FALSE(FileExists(folder.Ini()));
  ASSERT_TRUE(app.Exit());
  EXPECT_EQ(folder.ReadIni(), std::string("[Main]\r\nCurrentStyle=Default\r\nSchemesCount=0\r\nStickerCount=0\r\n"));
}

TEST(SettingsFile, SchemesReadAndWrittenBackComeOutUnchanged) {
  TestFolder folder;
  folder.WriteIni(kSchemesFile);
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  ASSERT_TRUE(app.Exit());
  EXPECT_EQ(folder.ReadIni(), std::string(kSchemesFile));
}

TEST(SettingsFile, DamagedValuesDoNotStopStartUp) {
  struct Case {
    const char* file;
    const char* expectedPart;  // found in the file written at exit
  } cases[] = {
      // A negative count reads as none.
      {"[Main]\r\nSchemesCount=-3\r\n", "[Main]\r\nSchemesCount=0\r\nCurrentStyle=Default\r\n"},
      // Unreadable colors take their defaults, byte fields keep their low 8 bits.
      {"[Main]\r\nSchemesCount=1\r\n[Scheme0]\r\nName=X\r\nTitleColor=12,34,56\r\nMemoColor=\r\n"
       "AlphaBlendValue=300\r\nTitleGradType=abc\r\n",
       "[Scheme0]\r\nName=X\r\nAlphaBlendValue=44\r\nTitleColor=clBlack\r\nTitleFontColor=clBlack\r\n"
       "TitleGradColor=clBlack\r\nTitleGradType=0\r\nMemoColor=clBlack\r\n"},
      // An absurd count is bounded.
      {"[Main]\r\nSchemesCount=2000000000\r\n", "SchemesCount=1024\r\n"},
  };
  for (const auto& c : cases) {
    TestFolder folder;
    folder.WriteIni(c.file);
    AppProcess app(folder.Exe());
    ASSERT_TRUE(app.WaitUp(20000)) << c.file;
    ASSERT_TRUE(app.Exit(20000)) << c.file;
    std::string after = folder.ReadIni().value_or("");
    EXPECT_NE(after.find(c.expectedPart), std::string::npos) << after.substr(0, 400);
  }
}

TEST(SettingsFile, AReadOnlyFileIsReportedAndTheProgramKeepsRunning) {
  TestFolder folder;
  folder.WriteIni(kPendingChange);
  SetFileAttributesA(folder.Ini().c_str(), FILE_ATTRIBUTE_READONLY);
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  app.RequestExit();
  ExpectUnableToWrite(app, folder);
  Sleep(300);
  EXPECT_TRUE(app.Running());
  EXPECT_NE(app.MainWindow(), nullptr);
  EXPECT_EQ(folder.ReadIni(), std::string(kPendingChange));

  // Once the file is writable again, "Exit" completes.
  SetFileAttributesA(folder.Ini().c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(app.Exit());
  std::string after = *folder.ReadIni();
  // A new key goes after the section's last line, its trailing comment included.
  EXPECT_EQ(after, "[Main]\r\nCurrentStyle=Default\r\n; mine\r\nSchemesCount=0\r\nStickerCount=0\r\n[Mine]\r\nkept=yes\r\n");
}

TEST(SettingsFile, AFileLockedByAnotherProgramIsLeftByteForByte) {
  // Held open without sharing, and held open by a reader that denies writers
  // and deletion (as some editors and backup tools do).
  const DWORD shareModes[] = {0, FILE_SHARE_READ};
  for (DWORD share : shareModes) {
    TestFolder folder;
    folder.WriteIni(kPendingChange);
    AppProcess app(folder.Exe());
    ASSERT_TRUE(app.WaitUp());
    HANDLE lock = CreateFileA(folder.Ini().c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    app.RequestExit();
    ExpectUnableToWrite(app, folder);
    EXPECT_TRUE(app.Running()) << "share mode " << share;
    EXPECT_FALSE(FileExists(RecoveryFile(folder))) << "share mode " << share;
    CloseHandle(lock);
    EXPECT_EQ(folder.ReadIni(), std::string(kPendingChange)) << "share mode " << share;
    ASSERT_TRUE(app.Exit());
  }
}

TEST(SettingsFile, AFileHeldOpenWithoutDeleteSharingIsRewrittenInPlace) {
  // As a backup or sync client or a virus scanner holds it: reading and
  // writing shared, deleting (and so replacing) not.
  TestFolder folder;
  folder.WriteIni(kPendingChange);
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  HANDLE holder = CreateFileA(folder.Ini().c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const std::uint64_t index = FileIndexOf(folder.Ini());
  ASSERT_TRUE(app.Exit()) << "the save was not made";
  // The holder's own handle reads the new contents: the file itself was written.
  char buffer[512];
  DWORD got = 0;
  SetFilePointer(holder, 0, nullptr, FILE_BEGIN);
  ReadFile(holder, buffer, sizeof buffer, &got, nullptr);
  CloseHandle(holder);
  EXPECT_EQ(std::string(buffer, got), kAfterPendingChange);
  EXPECT_EQ(folder.ReadIni(), std::string(kAfterPendingChange));
  EXPECT_EQ(FileIndexOf(folder.Ini()), index);
  EXPECT_FALSE(FileExists(RecoveryFile(folder)));
}

TEST(SettingsFile, AReplacedFileKeepsItsAttributesAndSecurity) {
  // One save changes the file, so that the new file's index tells it from the
  // old one (a second save could be given the old one's freed index).
  TestFolder folder;
  folder.WriteIni("[Main]\r\nCurrentStyle=Default\r\nSchemesCount=0\r\n");
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;FA;;;WD)(A;;FA;;;SY)", SDDL_REVISION_1,
                                                                   &descriptor, nullptr));
  ASSERT_TRUE(SetFileSecurityA(folder.Ini().c_str(), DACL_SECURITY_INFORMATION, descriptor));
  LocalFree(descriptor);
  ASSERT_TRUE(SetFileAttributesA(folder.Ini().c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  const std::string security = SecurityOf(folder.Ini());
  const DWORD attributes = GetFileAttributesA(folder.Ini().c_str());
  const std::uint64_t index = FileIndexOf(folder.Ini());
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  ASSERT_TRUE(app.Exit());
  EXPECT_EQ(folder.ReadIni(), std::string("[Main]\r\nCurrentStyle=Default\r\nSchemesCount=0\r\nStickerCount=0\r\n"));
  EXPECT_NE(FileIndexOf(folder.Ini()), index) << "not replaced by a new file";
  EXPECT_EQ(SecurityOf(folder.Ini()), security);
  EXPECT_EQ(GetFileAttributesA(folder.Ini().c_str()), attributes);
  std::printf("[ SettingsFile ] kept %s with attributes 0x%lX\n", security.c_str(), attributes);
}

// What an interrupted rewrite in place leaves: the start of the new contents
// over the old ones, and the recovery file beside them. The next start takes
// the notes from the recovery file, unless the settings file was changed since.
TEST(SettingsFile, ALeftOverRecoveryFileIsUsedWhenCompleteAndNewer) {
  const std::string before = NotesIni({"Title=Old\r\nActive=1\r\nTop=100\r\nLeft=300\r\n"}) + "[Mine]\r\nkept=yes\r\n";
  const std::string saved = NotesIni({"Title=New one\r\nActive=1\r\nTop=100\r\nLeft=300\r\n",
                                      "Title=New two\r\nActive=1\r\nTop=200\r\nLeft=300\r\n"});
  const std::string changed = NotesIni({"Title=Changed since\r\nActive=1\r\nTop=300\r\nLeft=300\r\n"});
  struct Case {
    const char* name;
    std::string settings;
    std::vector<int> notesAt;  // tops of the notes shown
    const char* title;         // in the file after exit
  } cases[] = {
      {"cut short", saved.substr(0, 40) + before.substr(40), {100, 200}, "Title=New two\r\n"},
      {"changed since", changed, {300}, "Title=Changed since\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestFolder folder;
    folder.WriteIni(c.settings);
    WriteFileBytes(RecoveryFile(folder), wisplet::FormatRecovery(saved, before));
    AppProcess app(folder.Exe());
    ASSERT_TRUE(app.WaitUp());
    EXPECT_EQ(NoteWindows(app).size(), c.notesAt.size());
    for (int top : c.notesAt) EXPECT_NE(NoteWindowAt(app, 300, top), nullptr) << top;
    ASSERT_TRUE(app.Exit());
    std::string after = folder.ReadIni().value_or("");
    EXPECT_NE(after.find(c.title), std::string::npos) << after;
    EXPECT_EQ(after.find("[Mine]"), std::string::npos) << after;
    EXPECT_FALSE(FileExists(RecoveryFile(folder)));
  }
}

// Held open without sharing by another program while Wisplet starts: the
// user is told once, no save writes over the file (a note written meanwhile
// stays in memory, "Exit" says it cannot write and the program runs on), and
// once the file is free its notes come up by themselves and the next save
// writes them together with the new one.
TEST(SettingsFile, AFileUnreadableAtStartUpIsNeverWrittenOverAndItsNotesComeBack) {
  TestFolder folder;
  const std::string before = NotesIni({"Title=Old one\r\nActive=1\r\nTop=100\r\nLeft=300\r\n",
                                       "Title=Old two\r\nActive=0\r\nTop=200\r\nLeft=300\r\n"});
  folder.WriteIni(before);
  HANDLE hold = CreateFileA(folder.Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);
  AppProcess app(folder.Exe());
  auto told = WaitForMessageBox(app, 20000);
  ASSERT_TRUE(told.has_value()) << "the user was not told";
  EXPECT_EQ(told->caption, "Wisplet");
  EXPECT_NE(told->text.find(folder.Ini()), std::string::npos) << told->text;
  EXPECT_NE(told->text.find("Nothing in the file will be overwritten."), std::string::npos) << told->text;
  PressMessageBoxButton(*told, IDOK);
  ASSERT_TRUE(app.WaitUp());
  EXPECT_TRUE(NoteWindows(app).empty());

  // A note written in the editor; its save writes nothing and says nothing.
  HWND editor = OpenEditorFromTray(app);
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return FocusedWindowOf(editor) != nullptr; }, 5000));
  ASSERT_TRUE(TypeInto(FocusedWindowOf(editor), "Written meanwhile"));
  ASSERT_TRUE(PressChordUntil({VK_CONTROL, VK_RETURN}, [&] { return !IsWindowVisible(editor); }));
  ASSERT_TRUE(WaitUntil([&] { return VisibleWindowsOfClass(app, "TStickerWindow").size() == 1; }, 3000));
  EXPECT_FALSE(WaitForMessageBox(app, 1500).has_value()) << "a box while the file was held";

  app.RequestExit();
  ExpectUnableToWrite(app, folder);
  EXPECT_TRUE(app.Running());
  CloseHandle(hold);
  EXPECT_EQ(folder.ReadIni(), before) << "written over while it could not be read";

  // Free again: the file's notes come up without a restart.
  EXPECT_TRUE(WaitUntil([&] { return NoteWindows(app).size() == 3; }, 15000));
  HWND oldOne = NoteWindowAt(app, 300, 100);
  ASSERT_NE(oldOne, nullptr);
  EXPECT_TRUE(IsWindowVisible(oldOne));
  EXPECT_FALSE(IsWindowVisible(NoteWindowAt(app, 300, 200)));
  ASSERT_TRUE(app.Exit());
  std::string after = folder.ReadIni().value_or("");
  EXPECT_NE(after.find("StickerCount=3\r\n"), std::string::npos) << after;
  EXPECT_NE(after.find("[Sticker0]\r\nTitle=Old one\r\n"), std::string::npos) << after;
  EXPECT_NE(after.find("[Sticker1]\r\nTitle=Old two\r\n"), std::string::npos) << after;
  EXPECT_NE(after.find("[Sticker2]\r\nTitle=Written meanwhile\r\n"), std::string::npos) << after;
}
