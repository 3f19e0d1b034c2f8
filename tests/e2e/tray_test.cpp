// The icon in the notification area and its menu, clicked and driven as a
// user would.
#include <gtest/gtest.h>

#include "harness.h"  // windows.h first
#include <shellapi.h>

using namespace e2e;

namespace {

bool Visible(const AppProcess& app, const char* className) {
  return !VisibleWindowsOfClass(app, className).empty();
}

// A window of the test itself that covers a part of the desktop.
class CoverWindow {
 public:
  explicit CoverWindow(RECT r) {
    // A class of its own: a static control is transparent to hit-testing.
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "WispletTestCover";
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(0, "WispletTestCover", "cover", WS_POPUP | WS_VISIBLE | WS_BORDER, r.left,
                            r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(hwnd_);
    Pump();
  }
  ~CoverWindow() { DestroyWindow(hwnd_); }
  HWND Handle() const { return hwnd_; }
  static void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }

 private:
  HWND hwnd_;
};


std::string ThreeNotes() {
  return NotesIni({"Title=One\r\nActive=1\r\nTop=100\r\nLeft=100\r\n",
                   "Title=Two\r\nActive=1\r\nTop=200\r\nLeft=100\r\n",
                   "Title=Three\r\nActive=0\r\nTop=300\r\nLeft=100\r\n"});
}

}  // namespace

TEST(Tray, TheMenuOpensAtTheIconWithItsItemsInOrder) {
  // Each item is reached by its place in the menu (the keyboard skips
  // separators) and shows what it does.
  struct Case {
    int downs;
    const char* what;
  } cases[] = {{1, "New"}, {2, "Options"}, {3, "Help"}, {4, "About"}, {6, "Exit"}};
  for (const auto& c : cases) {
    TestFolder folder;
    AppProcess app(folder.Exe());
    ASSERT_TRUE(app.WaitUp());
    HWND menu = OpenTrayMenu(app);
    ASSERT_NE(menu, nullptr) << c.what;
    RECT r = WindowBounds(menu);
    POINT icon = TrayIconPoint();
    // At the cursor: the menu's corner is at the pointer, shifted to stay on screen.
    EXPECT_LE(std::abs(r.right - icon.x), r.right - r.left) << c.what;
    EXPECT_LE(std::abs(r.bottom - icon.y), 30) << c.what;
    if (std::string(c.what) == "New") SaveScreenshot("tray-menu-default");
    Key(VK_DOWN, c.downs);
    Key(VK_RETURN);
    std::string what = c.what;
    if (what == "New") {
      EXPECT_TRUE(WaitUntil([&] { return Visible(app, "TFormSticker"); }, 3000));
    } else if (what == "Options") {
      EXPECT_TRUE(WaitUntil([&] { return Visible(app, "TFormOptions"); }, 3000));
    } else if (what == "About") {
      EXPECT_TRUE(WaitUntil([&] { return Visible(app, "TFormAbout"); }, 3000));
    } else if (what == "Help") {
      // No help file beside the copy: nothing is shown and the program runs on.
      Sleep(500);
      EXPECT_TRUE(app.Running());
      EXPECT_FALSE(WaitForMessageBox(app, 300).has_value());
    } else if (what == "Exit") {
      ASSERT_TRUE(app.WaitExit(10000).has_value());
      EXPECT_EQ(folder.ReadIni(),
                std::string("[Main]\r\nCurrentStyle=Default\r\nSchemesCount=0\r\nStickerCount=0\r\n"));
      continue;
    }
    CloseMenus(app);
    EXPECT_TRUE(app.Exit());
  }
}

TEST(Tray, WithNoNotesTheSubmenuHoldsOnlyItsFixedItems) {
  TestFolder folder;
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  ASSERT_NE(OpenTrayMenu(app), nullptr);
  Key(VK_DOWN, 5);
  Key(VK_RIGHT);
  EXPECT_TRUE(WaitUntil([&] { return VisibleWindowsOfClass(app, "#32768").size() == 2; }, 2000));
  SaveScreenshot("tray-menu-default-notes-list-empty");
  // Show All, Hide All and the disabled "<None>" do nothing without notes.
  Key(VK_DOWN, 2);
  Key(VK_RETURN);
  Sleep(300);
  CloseMenus(app);
  EXPECT_TRUE(app.Running());
  EXPECT_TRUE(NoteWindows(app).empty());
  EXPECT_TRUE(app.Exit());
}

TEST(Tray, TheNotesListSubmenuListsEveryNote) {
  TestFolder folder;
  // One shown note and two hidden ones: only the chosen one comes up.
  folder.WriteIni("[Main]\r\nCurrentStyle=OfficeXP\r\n" +
                  NotesIni({"Title=One\r\nActive=1\r\nTop=100\r\nLeft=100\r\n",
                            "Title=Two\r\nActive=0\r\nTop=200\r\nLeft=100\r\n",
                            "Title=Three\r\nActive=0\r\nTop=300\r\nLeft=100\r\n"})
                      .substr(std::string("[Main]\r\n").size()));
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  ASSERT_NE(OpenTrayMenu(app), nullptr);
  Key(VK_DOWN, 5);
  Key(VK_RIGHT);  // into "Notes List"
  WaitUntil([&] { return VisibleWindowsOfClass(app, "#32768").size() >= 2; }, 2000);
  EXPECT_EQ(VisibleWindowsOfClass(app, "#32768").size(), 2u);
  SaveScreenshot("tray-menu-officexp-notes-list");
  // From "Show All Notes" past "Hide All Notes", "One" and "Two" (the
  // separator is skipped) to the third note's own item.
  Key(VK_DOWN, 4);
  Key(VK_RETURN);
  HWND third = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (third = NoteWindowAt(app, 100, 300)) && IsWindowVisible(third); }, 3000));
  EXPECT_FALSE(IsWindowVisible(NoteWindowAt(app, 100, 200)));
  ASSERT_TRUE(app.Exit());
  EXPECT_NE(folder.ReadIni()->find("[Sticker2]\r\nTitle=Three\r\nMemoLineCount=0\r\nID=\r\nActive=1\r\n"),
            std::string::npos);
}

TEST(Tray, HideAllStaysHiddenThroughAClickAndShowAllShowsThemWhereTheyWere) {
  TestFolder folder;
  folder.WriteIni(ThreeNotes());
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  auto visibleNotes = [&] {
    int n = 0;
    for (HWND h : NoteWindows(app)) n += IsWindowVisible(h) ? 1 : 0;
    return n;
  };
  EXPECT_EQ(visibleNotes(), 2);
  ASSERT_NE(OpenTrayMenu(app), nullptr);
  Key(VK_DOWN, 5);
  Key(VK_RIGHT);    // the submenu opens on "Show All Notes"
  Key(VK_DOWN);     // Hide All Notes
  Key(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return visibleNotes() == 0; }, 3000));
  POINT icon = TrayIconPoint();
  Click(icon.x, icon.y);
  Sleep(500);
  EXPECT_EQ(visibleNotes(), 0);

  ASSERT_NE(OpenTrayMenu(app), nullptr);
  Key(VK_DOWN, 5);
  Key(VK_RIGHT);  // on "Show All Notes"
  Key(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return visibleNotes() == 3; }, 3000));
  for (int top : {100, 200, 300}) EXPECT_NE(NoteWindowAt(app, 100, top), nullptr) << top;
  ASSERT_TRUE(app.Exit());
}

TEST(Tray, AClickRaisesTheShownNotesWithoutShowingHiddenOnes) {
  TestFolder folder;
  folder.WriteIni(ThreeNotes());
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  CoverWindow cover(RECT{50, 50, 600, 500});
  HWND one = NoteWindowAt(app, 100, 100);
  ASSERT_NE(one, nullptr);
  EXPECT_TRUE(WaitUntil([&] {
    CoverWindow::Pump();
    return WindowFromPoint(POINT{150, 120}) == cover.Handle();
  }, 3000));
  POINT icon = TrayIconPoint();
  Click(icon.x, icon.y);
  EXPECT_TRUE(WaitUntil([&] {
    CoverWindow::Pump();
    return WindowFromPoint(POINT{150, 120}) == one && WindowFromPoint(POINT{150, 220}) != cover.Handle();
  }, 3000));
  HWND three = NoteWindowAt(app, 100, 300);
  ASSERT_NE(three, nullptr);
  EXPECT_FALSE(IsWindowVisible(three));
  ASSERT_TRUE(app.Exit());
}

TEST(Tray, ADoubleClickOpensTheEditorForANewNote) {
  TestFolder folder;
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  POINT icon = TrayIconPoint();
  DoubleClick(icon.x, icon.y);
  HWND editor = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    auto w = VisibleWindowsOfClass(app, "TFormSticker");
    return !w.empty() && (editor = w.front()) != nullptr;
  }, 3000));
  char caption[64] = {};
  GetWindowTextA(editor, caption, sizeof caption);
  EXPECT_STREQ(caption, "New Note");
  EXPECT_TRUE(app.Exit());
}

TEST(Tray, AnExitRequestedWhileTheMenuIsOpenEndsTheProgramOnceItCloses) {
  TestFolder folder;
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  ASSERT_NE(OpenTrayMenu(app), nullptr);
  app.RequestExit();  // as the end of a session or another program might
  Sleep(300);
  CloseMenus(app);
  EXPECT_TRUE(app.WaitExit(10000).has_value());
  EXPECT_EQ(folder.ReadIni(), std::string("[Main]\r\nCurrentStyle=Default\r\nSchemesCount=0\r\nStickerCount=0\r\n"));
}

TEST(Tray, OfficeXPMenusKeepTheirUnderlinedLetters) {
  TestFolder folder;
  folder.WriteIni("[Main]\r\nCurrentStyle=OfficeXP\r\n" +
                  NotesIni({"Title=Letters\r\nMemoLineCount=1\r\nMemoLine0=>typed\r\nActive=1\r\nTop=200\r\n"
                            "Left=300\r\n"})
                      .substr(std::string("[Main]\r\n").size()));
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  SetClipboardText("before");
  HWND menu = nullptr;
  for (int attempt = 0; attempt < 3 && !menu; ++attempt) {
    Click(300 + 100, 200 + 30, MouseButton::Right);
    WaitUntil([&] { return (menu = ShownMenu(app)) != nullptr; }, 2000);
  }
  ASSERT_NE(menu, nullptr);
  Key('C');  // "&Copy Note to Clipboard"
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == std::optional<std::string>("Letters:\r\ntyped\r\n"); }, 3000));
  EXPECT_EQ(ShownMenu(app), nullptr);
  EXPECT_TRUE(app.Exit());
}

namespace {

// Whether an icon is drawn at the icon's place: pixels there that differ from
// the taskbar's own color beside it.
bool IconShown() {
  POINT p = TrayIconPoint();
  ScreenImage area(RECT{p.x - 40, p.y - 8, p.x + 8, p.y + 8});
  COLORREF background = area.Pixel(p.x - 40, p.y);
  int differing = 0;
  for (int y = p.y - 8; y < p.y + 8; ++y)
    for (int x = p.x - 8; x < p.x + 8; ++x) differing += area.Pixel(x, y) != background ? 1 : 0;
  return differing > 20;
}

void BroadcastTaskbarCreated() {
  PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
}

}  // namespace

// A shell that ends drops every icon, and the new one announces itself with
// "TaskbarCreated". Wine's desktop cannot be ended and started again while
// programs run on it, and its explorer never sends that message, so the test
// plays the shell's part: the icon is taken away as the ending shell drops it,
// and the message goes to every top-level window as the new shell sends it.
TEST(Tray, TheIconComesBackWhenTheTaskbarIsCreatedAgain) {
  TestFolder folder;
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  ASSERT_TRUE(WaitUntil(IconShown, 3000));
  HWND trayWindow = app.FindWindowOfClass("TWispletTrayIcon");
  ASSERT_NE(trayWindow, nullptr);

  NOTIFYICONDATAA dropped{};
  dropped.cbSize = sizeof dropped;
  dropped.hWnd = trayWindow;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &dropped));
  ASSERT_TRUE(WaitUntil([] { return !IconShown(); }, 3000));
  POINT icon = TrayIconPoint();
  Click(icon.x, icon.y, MouseButton::Right);
  EXPECT_FALSE(WaitUntil([&] { return ShownMenu(app) != nullptr; }, 1000)) << "a menu without an icon";

  BroadcastTaskbarCreated();
  EXPECT_TRUE(WaitUntil(IconShown, 3000));
  ASSERT_NE(OpenTrayMenu(app), nullptr) << "the icon does not answer";
  SaveScreenshot("tray-icon-after-taskbar-created");
  CloseMenus(app);

  // The message also comes while the icon is still there (Windows sends it
  // when the taskbar's resolution changes): still one icon that answers, and
  // it leaves with the program.
  BroadcastTaskbarCreated();  // handled before the click, which comes after it
  ASSERT_NE(OpenTrayMenu(app), nullptr);
  CloseMenus(app);
  ASSERT_TRUE(app.Exit());
  EXPECT_TRUE(WaitUntil([] { return !IconShown(); }, 3000)) << "the icon stayed behind";
}
