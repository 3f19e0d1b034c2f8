// The settings file beside the executable: when it is written, what a round
// trip does to it, and what a failing save leaves behind.
#include <gtest/gtest.h>

#include "harness.h"

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
    CloseHandle(lock);
    EXPECT_EQ(folder.ReadIni(), std::string(kPendingChange)) << "share mode " << share;
    ASSERT_TRUE(app.Exit());
  }
}
