// The end of the Windows session writes everything, quickly and without a dialog.
#include <gtest/gtest.h>

#include "harness.h"

using namespace e2e;

TEST(Session, EndingTheSessionSavesWithoutAnyDialog) {
  TestFolder folder;
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  HWND main = app.MainWindow();
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000,
                                  &answer));
  EXPECT_EQ(answer, TRUE);
  ASSERT_TRUE(SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000,
                                  &answer));
  EXPECT_EQ(folder.ReadIni(), std::string("[Main]\r\nCurrentStyle=Default\r\nSchemesCount=0\r\nStickerCount=0\r\n"));
  EXPECT_FALSE(WaitForMessageBox(app, 300).has_value());
}

TEST(Session, AFailingSaveAtTheEndOfTheSessionShowsNothing) {
  TestFolder folder;
  folder.WriteIni("[Main]\r\nCurrentStyle=Default\r\n");
  SetFileAttributesA(folder.Ini().c_str(), FILE_ATTRIBUTE_READONLY);
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(app.MainWindow(), WM_ENDSESSION, TRUE, 0, SMTO_BLOCK, 5000, &answer));
  EXPECT_FALSE(WaitForMessageBox(app, 500).has_value());
  EXPECT_EQ(folder.ReadIni(), std::string("[Main]\r\nCurrentStyle=Default\r\n"));
  SetFileAttributesA(folder.Ini().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Session, WinebootEndSessionSavesTheSettings) {
  TestFolder folder;
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  // Wine's own end of the session: asks every program and ends it.
  RunAndCapture("wineboot.exe --end-session");
  EXPECT_TRUE(WaitUntil([&] { return FileExists(folder.Ini()); }, 10000));
  EXPECT_EQ(folder.ReadIni(), std::string("[Main]\r\nCurrentStyle=Default\r\nSchemesCount=0\r\nStickerCount=0\r\n"));
  // The session's end also took the desktop's keeper with it; later tests need it.
  RestartDesktopKeeper();
}
