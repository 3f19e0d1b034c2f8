// The options window, opened from the tray menu and driven with the mouse and
// the keyboard: start with Windows, the menu look, and the scheme editor.
#include <gtest/gtest.h>

#include "harness.h"

using namespace e2e;

namespace {

constexpr COLORREF kOfficeXpGutter = RGB(235, 233, 225);

std::string RegQuery() {
  return RunAndCapture("reg.exe query \"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\" /v Sticker");
}

bool Checked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// "Options" of the tray menu; the window once it shows.
HWND OpenOptions(const AppProcess& app) {
  if (!OpenTrayMenu(app)) return nullptr;
  Key(VK_DOWN, 2);  // New, Options
  Key(VK_RETURN);
  HWND options = nullptr;
  WaitUntil([&] { return (options = app.FindWindowOfClass("TFormOptions")) && IsWindowVisible(options); }, 5000);
  return options && IsWindowVisible(options) ? options : nullptr;
}

// A pixel in the image gutter of the open menu's last item (which has no image).
COLORREF MenuGutterPixel(HWND menu) {
  RECT r{};
  GetWindowRect(menu, &r);
  return ScreenPixel(r.left + 6, r.bottom - 8);
}

class Options : public ::testing::Test {
 protected:
  void SetUp() override { DeleteAutorunValue(); }
  void TearDown() override { DeleteAutorunValue(); }
};

}  // namespace

TEST_F(Options, StartWithWindowsIsAppliedOnlyByApplyAndOk) {
  TestFolder folder;
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  HWND options = OpenOptions(app);
  ASSERT_NE(options, nullptr);
  HWND apply = ChildWithText(options, "&Apply");
  EXPECT_FALSE(IsWindowEnabled(apply));
  // The scheme page comes first; the system page is one click away.
  EXPECT_TRUE(IsWindowVisible(ChildWithText(options, " Avaible schemes ")));
  HWND autoRun = ChildWithText(options, " Run on windows startup");
  EXPECT_FALSE(IsWindowVisible(autoRun));
  ClickControl(ChildWithText(options, "System"));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(autoRun); }, 3000));
  SaveScreenshot("options-system-page");

  // Tick and "Apply": the Run value holds the program's path.
  ClickControl(autoRun);
  ASSERT_TRUE(WaitUntil([&] { return Checked(autoRun) && IsWindowEnabled(apply); }, 3000));
  ClickControl(apply);
  EXPECT_TRUE(WaitUntil([&] { return ReadAutorunValue() == folder.Exe(); }, 5000));
  EXPECT_NE(RegQuery().find(folder.Exe()), std::string::npos);
  EXPECT_FALSE(IsWindowEnabled(apply));
  EXPECT_EQ(folder.ReadIni(), std::string("[Main]\r\nSchemesCount=0\r\nCurrentStyle=Default\r\n"));

  // Untick and "OK": the value goes and so does the window.
  ClickControl(autoRun);
  ClickControl(ChildWithText(options, "&OK"));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }, 3000));
  EXPECT_EQ(ReadAutorunValue(), std::nullopt);

  // "Cancel" and Escape after a change touch neither the registry nor the
  // file, and the next showing reads the stored state again.
  const auto stored = folder.ReadIni();
  for (bool escape : {false, true}) {
    ASSERT_EQ(OpenOptions(app), options);
    EXPECT_TRUE(IsWindowVisible(autoRun));  // the page last chosen stays
    EXPECT_FALSE(Checked(autoRun));
    ClickControl(autoRun);
    ASSERT_TRUE(WaitUntil([&] { return Checked(autoRun); }, 3000));
    if (escape)
      Key(VK_ESCAPE);
    else
      ClickControl(ChildWithText(options, "&Cancel"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }, 3000)) << escape;
    EXPECT_EQ(ReadAutorunValue(), std::nullopt);
    EXPECT_EQ(folder.ReadIni(), stored);
  }
  ASSERT_EQ(OpenOptions(app), options);
  EXPECT_FALSE(Checked(autoRun));
  Key(VK_ESCAPE);
  EXPECT_TRUE(app.Exit());
}

TEST_F(Options, TheOfficeXpLookReachesTheTrayMenuAndEveryNoteMenuAtOnce) {
  TestFolder folder;
  folder.WriteIni(NotesIni({"Title=Look\r\nActive=1\r\nTop=200\r\nLeft=300\r\n"}));
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  HWND menu = OpenTrayMenu(app);
  ASSERT_NE(menu, nullptr);
  EXPECT_NE(MenuGutterPixel(menu), kOfficeXpGutter);
  CloseMenus(app);

  HWND options = OpenOptions(app);
  ASSERT_NE(options, nullptr);
  ClickControl(ChildWithText(options, "System"));
  HWND officeXp = ChildWithText(options, "Office XP style");
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(officeXp); }, 3000));
  EXPECT_TRUE(Checked(ChildWithText(options, "Default style")));
  ClickControl(officeXp);
  ClickControl(ChildWithText(options, "&Apply"));
  EXPECT_TRUE(WaitUntil([&] { return folder.ReadIni()->find("CurrentStyle=OfficeXP\r\n") != std::string::npos; },
                        5000));
  Key(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }, 3000));

  ASSERT_NE(menu = OpenTrayMenu(app), nullptr);
  EXPECT_EQ(MenuGutterPixel(menu), kOfficeXpGutter);
  SaveScreenshot("options-officexp-tray-menu");
  CloseMenus(app);
  menu = nullptr;
  for (int attempt = 0; attempt < 3 && !menu; ++attempt) {
    Click(300 + 100, 200 + 30, MouseButton::Right);
    WaitUntil([&] { return (menu = ShownMenu(app)) != nullptr; }, 2000);
  }
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(MenuGutterPixel(menu), kOfficeXpGutter);
  CloseMenus(app);
  EXPECT_TRUE(app.Exit());
  EXPECT_NE(folder.ReadIni()->find("[Main]\r\nStickerCount=1\r\nSchemesCount=0\r\nCurrentStyle=OfficeXP\r\n"),
            std::string::npos)
      << *folder.ReadIni();
}
