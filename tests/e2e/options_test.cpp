// The options window, opened from the tray menu and driven with the mouse and
// the keyboard: start with Windows, the menu look, and the scheme editor.
#include <windows.h>
#include <commctrl.h>

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
  ChooseTrayMenuItem(2);  // New, Options
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

namespace {

// A drop-down list of the options window found by the text it shows, opened
// with a click, moved to the first item starting with `letter` and closed.
void ChooseByLetter(HWND combo, char letter) {
  ClickControl(combo);
  WaitUntil([&] { return SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }, 2000);
  Key(static_cast<WORD>(letter));
  Key(VK_RETURN);
  WaitUntil([&] { return SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) == 0; }, 2000);
}

std::string SchemeSection(int n, const std::string& keys) { return "[Scheme" + std::to_string(n) + "]\r\n" + keys; }

const char kDefaultSchemeKeys[] =
    "AlphaBlendValue=0\r\nTitleColor=clWindow\r\nTitleFontColor=clNavy\r\nTitleGradColor=clSkyBlue\r\n"
    "TitleGradType=0\r\nMemoColor=clWhite\r\nMemoFontColor=clBlack\r\nMemoGradColor=clSkyBlue\r\nMemoGradType=0\r\n";

}  // namespace

TEST_F(Options, ANewSchemeIsStoredWithTheColorsShownAndOfferedToTheEditor) {
  TestFolder folder;
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  HWND options = OpenOptions(app);
  ASSERT_NE(options, nullptr);
  // With no schemes the page shows the current scheme, "Default".
  HWND name = ChildWithText(options, "Default");
  ASSERT_NE(name, nullptr);
  HWND trackBar = FindWindowExA(GetParent(name), nullptr, "msctls_trackbar32", nullptr);
  ASSERT_NE(trackBar, nullptr);
  EXPECT_TRUE(IsWindowEnabled(trackBar));
  OSVERSIONINFOA version{sizeof version};
  GetVersionExA(&version);
  RecordProperty("WindowsVersion", std::to_string(version.dwMajorVersion) + "." + std::to_string(version.dwMinorVersion));

  ClickControl(ChildWithText(options, "New"));
  HWND save = ChildWithText(options, "Save");
  ASSERT_TRUE(WaitUntil([&] { return WindowTextOf(name) == "Scheme0" && IsWindowEnabled(save); }, 3000));
  HWND titleColor = ChildWithText(options, "Window");
  ChooseByLetter(titleColor, 'R');
  EXPECT_EQ(WindowTextOf(titleColor), "Red");
  // "Custom..." opens the system's color dialog; a color the list does not
  // hold shows as "Custom...", which names it for screen readers.
  HWND fontColor = ChildWithText(options, "Navy");
  ClickControl(fontColor);
  WaitUntil([&] { return SendMessageA(fontColor, CB_GETDROPPEDSTATE, 0, 0) != 0; }, 2000);
  Key(VK_HOME);
  Key(VK_RETURN);
  HWND colorDialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (colorDialog = app.FindWindowOfClass("#32770")) && IsWindowVisible(colorDialog); },
                        5000));
  const int rgb[] = {0x56, 0x34, 0x12};  // 0x00123456 is red 0x56, green 0x34, blue 0x12
  for (int i = 0; i < 3; ++i) {
    HWND field = GetDlgItem(colorDialog, 706 + i);  // the dialog's red, green and blue fields
    ClickControl(field);
    Key(VK_END);
    for (int k = 0; k < 3; ++k) Key(VK_BACK);
    ASSERT_TRUE(TypeInto(field, std::to_string(rgb[i])));
  }
  Key(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(colorDialog) || !IsWindowVisible(colorDialog); }, 5000));
  EXPECT_TRUE(
      WaitUntil([&] { return WindowTextOf(fontColor) == "Custom... (red 86, green 52, blue 18)"; }, 3000));
  HWND titleType = ChildWithText(options, "Horizontal");
  ChooseByLetter(titleType, 'V');
  EXPECT_EQ(WindowTextOf(titleType), "Vertical");
  ClickControl(trackBar);
  Key(VK_END);
  EXPECT_TRUE(WaitUntil([&] { return SendMessageA(trackBar, TBM_GETPOS, 0, 0) == 9; }, 2000));
  HWND memoColor = ChildWithText(options, "White");
  ClickControl(memoColor);
  WaitUntil([&] { return SendMessageA(memoColor, CB_GETDROPPEDSTATE, 0, 0) != 0; }, 2000);
  SaveScreenshot("options-color-picker-open");
  Key(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(memoColor, CB_GETDROPPEDSTATE, 0, 0) == 0; }, 2000));
  ASSERT_TRUE(IsWindowVisible(options));  // Escape closed only the list
  ClickControl(save);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(save); }, 3000));

  ClickControl(ChildWithText(options, "&OK"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }, 3000));
  EXPECT_EQ(folder.ReadIni(),
            "[Main]\r\nSchemesCount=1\r\nCurrentStyle=Default\r\n" +
                SchemeSection(0, "Name=Scheme0\r\nAlphaBlendValue=90\r\nTitleColor=clRed\r\nTitleFontColor=$00123456\r\n"
                                 "TitleGradColor=clSkyBlue\r\nTitleGradType=1\r\nMemoColor=clWhite\r\n"
                                 "MemoFontColor=clBlack\r\nMemoGradColor=clSkyBlue\r\nMemoGradType=0\r\n"));

  // The note editor offers it.
  ASSERT_NE(OpenTrayMenu(app), nullptr);
  ChooseTrayMenuItem(1);  // New
  HWND editor = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (editor = app.FindWindowOfClass("TFormSticker")) && IsWindowVisible(editor); },
                        5000));
  EXPECT_NE(ChildWithText(editor, "Scheme0"), nullptr);
  EXPECT_TRUE(app.Exit());
}

TEST_F(Options, NewThenCancelKeepsTheSchemeAndDeletingTheLastShowsTheCurrentScheme) {
  TestFolder folder;
  const std::string blue =
      "Name=Blue\r\nAlphaBlendValue=35\r\nTitleColor=clBlue\r\nTitleFontColor=clWhite\r\nTitleGradColor=clNavy\r\n"
      "TitleGradType=7\r\nMemoColor=clWhite\r\nMemoFontColor=clBlack\r\nMemoGradColor=clSkyBlue\r\nMemoGradType=2\r\n";
  folder.WriteIni("[Main]\r\nSchemesCount=1\r\n" + SchemeSection(0, blue));
  {
    AppProcess app(folder.Exe());
    ASSERT_TRUE(app.WaitUp());
    HWND options = OpenOptions(app);
    ASSERT_NE(options, nullptr);
    HWND list = ChildWithText(options, "Blue");
    HWND trackBar = FindWindowExA(GetParent(list), nullptr, "msctls_trackbar32", nullptr);
    EXPECT_EQ(SendMessageA(trackBar, TBM_GETPOS, 0, 0), 3);  // 35 percent shows at 3
    ClickControl(ChildWithText(options, "New"));
    ASSERT_TRUE(WaitUntil([&] { return ChildWithText(options, "Scheme0") != nullptr; }, 3000));
    ClickControl(ChildWithText(options, "&Cancel"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }, 3000));
    EXPECT_TRUE(app.Exit());
  }
  // The entry keeps the name and values it was copied with; "Blue" was never
  // saved, so its 35 percent stays.
  EXPECT_EQ(folder.ReadIni(), "[Main]\r\nSchemesCount=2\r\nCurrentStyle=Default\r\nStickerCount=0\r\n" +
                                  SchemeSection(0, blue) + SchemeSection(1, std::string("Name=Default\r\n") +
                                                                                kDefaultSchemeKeys));

  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  HWND options = OpenOptions(app);
  ASSERT_NE(options, nullptr);
  HWND list = ChildWithText(options, "Blue");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 2);
  HWND del = ChildWithText(options, "Delete");
  ClickControl(del);  // "Blue": the entry behind it moves into its place
  EXPECT_TRUE(WaitUntil([&] { return SendMessageA(list, CB_GETCOUNT, 0, 0) == 1 && WindowTextOf(list) == "Default"; },
                        3000));
  ClickControl(del);  // the last one: the page shows the current scheme
  EXPECT_TRUE(WaitUntil([&] { return SendMessageA(list, CB_GETCOUNT, 0, 0) == 0 && !IsWindowEnabled(del); }, 3000));
  HWND name = ChildWithText(options, "Default");
  ASSERT_NE(name, nullptr);
  char className[32] = {};
  GetClassNameA(name, className, sizeof className);
  EXPECT_STREQ(className, "Edit");
  HWND apply = ChildWithText(options, "&Apply");
  EXPECT_TRUE(IsWindowEnabled(apply));
  ClickControl(apply);
  EXPECT_TRUE(WaitUntil([&] { return folder.ReadIni()->find("[Scheme") == std::string::npos; }, 5000));
  EXPECT_NE(folder.ReadIni()->find("SchemesCount=0\r\n"), std::string::npos);
  Key(VK_ESCAPE);
  EXPECT_TRUE(app.Exit());
}

// "New" copies the current scheme, name and all, so the new entry can share
// its name with an older one; "Delete" right after takes the new entry.
TEST_F(Options, DeleteAfterNewRemovesTheNewEntryNotTheOlderOfItsName) {
  TestFolder folder;
  const std::string red =
      "Name=Default\r\nAlphaBlendValue=20\r\nTitleColor=clRed\r\nTitleFontColor=clWhite\r\nTitleGradColor=clNavy\r\n"
      "TitleGradType=7\r\nMemoColor=clWhite\r\nMemoFontColor=clBlack\r\nMemoGradColor=clSkyBlue\r\nMemoGradType=2\r\n";
  folder.WriteIni("[Main]\r\nSchemesCount=1\r\n" + SchemeSection(0, red));
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  HWND options = OpenOptions(app);
  ASSERT_NE(options, nullptr);
  HWND list = ChildWithText(options, "Default");
  ASSERT_NE(list, nullptr);
  ClickControl(ChildWithText(options, "New"));
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(list, CB_GETCOUNT, 0, 0) == 2 && WindowTextOf(list) == "Scheme0"; },
                        3000));
  ClickControl(ChildWithText(options, "Delete"));
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(list, CB_GETCOUNT, 0, 0) == 1 && WindowTextOf(list) == "Default"; },
                        3000));
  // The fields show the entry left, and "OK" stores them into it.
  ClickControl(ChildWithText(options, "&OK"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }, 3000));
  EXPECT_EQ(folder.ReadIni(), "[Main]\r\nSchemesCount=1\r\nCurrentStyle=Default\r\n" + SchemeSection(0, red));
  EXPECT_TRUE(app.Exit());
}

TEST_F(Options, ANoteKeepsItsColorsWhenItsSchemeIsChanged) {
  TestFolder folder;
  const std::string blue =
      "Name=Blue\r\nAlphaBlendValue=0\r\nTitleColor=clBlue\r\nTitleFontColor=clWhite\r\nTitleGradColor=clBlue\r\n"
      "TitleGradType=7\r\nMemoColor=clWhite\r\nMemoFontColor=clBlack\r\nMemoGradColor=clWhite\r\nMemoGradType=7\r\n";
  std::string ini = NotesIni({"Title=Kept\r\nActive=1\r\nTop=200\r\nLeft=300\r\n" + blue});
  ini.insert(std::string("[Main]\r\n").size(), "SchemesCount=1\r\n");
  folder.WriteIni(ini + SchemeSection(0, blue));
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  ASSERT_TRUE(WaitUntil([&] { return ScreenPixel(330, 203) == RGB(0, 0, 255); }, 5000));

  HWND options = OpenOptions(app);
  ASSERT_NE(options, nullptr);
  ChooseByLetter(ChildWithText(options, "Blue", 2), 'R');  // the title color, after the list and the name
  ClickControl(ChildWithText(options, "&OK"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }, 3000));
  EXPECT_NE(folder.ReadIni()->find("[Scheme0]\r\nName=Blue\r\nAlphaBlendValue=0\r\nTitleColor=clRed\r\n"),
            std::string::npos);
  // The note on the screen and in the file keeps its own copy.
  Sleep(300);
  EXPECT_EQ(ScreenPixel(330, 203), RGB(0, 0, 255));
  EXPECT_TRUE(app.Exit());
  EXPECT_NE(folder.ReadIni()->find("[Sticker0]\r\nTitle=Kept\r\n"), std::string::npos);
  EXPECT_NE(folder.ReadIni()->find("Name=Blue\r\nAlphaBlendValue=0\r\nTitleColor=clBlue\r\n"), std::string::npos);
}
