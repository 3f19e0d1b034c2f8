// Wisplet without a mouse: the system-wide keys, the tray menu opened as the
// shell's keyboard selection of the icon opens it, a note chosen from
// "Notes List" taking the keyboard, and what a screen reader reads of a
// note from another process.
#include <gtest/gtest.h>

#include "harness.h"  // windows.h first
#include <oleacc.h>
#include <shellapi.h>

#include <memory>

using namespace e2e;

namespace {

// Spelled out: mingw-w64's static IID_IAccessible has come out wrong.
constexpr GUID kIidAccessible{0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// What Active Accessibility gives this process of a note: each item's name,
// role and state (the note, then its buttons), and the note's value.
struct ReadItem {
  std::wstring name;
  long role = 0, state = 0;
};
std::vector<ReadItem> ReadAccessible(HWND note, std::wstring& value) {
  IAccessible* acc = nullptr;
  std::vector<ReadItem> items;
  if (FAILED(AccessibleObjectFromWindow(note, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                        reinterpret_cast<void**>(&acc))))
    return items;
  auto text = [](BSTR b) {
    std::wstring t = b ? std::wstring(b, SysStringLen(b)) : L"";
    SysFreeString(b);
    return t;
  };
  long count = 0;
  acc->get_accChildCount(&count);
  for (long child = 0; child <= count; ++child) {
    VARIANT id{}, role{}, state{};
    id.vt = VT_I4;
    id.lVal = child;
    BSTR b = nullptr;
    acc->get_accName(id, &b);
    ReadItem item{text(b)};
    if (SUCCEEDED(acc->get_accRole(id, &role))) item.role = role.lVal;
    if (SUCCEEDED(acc->get_accState(id, &state))) item.state = state.lVal;
    if (child == 0 && acc->get_accValue(id, &b) == S_OK) value = text(b);
    items.push_back(item);
  }
  acc->Release();
  return items;
}

HWND NoteTitled(const AppProcess& app, const std::string& title) {
  for (const auto& w : app.Windows())
    if (w.className == "TStickerWindow" && w.text == title) return w.hwnd;
  return nullptr;
}

// The shell's keyboard selection of the icon (Win+B, the arrows, then Enter
// or the menu key), which Wine's taskbar does not offer: the notification
// version 4 sends with the icon's anchor point.
void SelectTrayIconByKeyboard(const AppProcess& app, UINT notification, POINT anchor) {
  HWND tray = app.FindWindowOfClass("TWispletTrayIcon");
  PostMessageA(tray, WM_APP + 1, MAKEWPARAM(anchor.x, anchor.y), MAKELPARAM(notification, 0));
}

}  // namespace

TEST(Keyboard, HotkeysTheTrayMenuAndANoteReachedByKeysAndReadAloud) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  TestFolder folder;
  folder.WriteIni(NotesIni({"Title=Shopping\r\nMemoLineCount=1\r\nMemoLine0=>milk\r\nActive=1\r\nTop=100\r\nLeft=100\r\n"}));
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  HWND shopping = NoteTitled(app, "Shopping");  // the window's title is the note's
  ASSERT_NE(shopping, nullptr);

  // Win+Shift+N opens the editor with the title field ready; a title, Tab,
  // a text and Ctrl+Enter make the note.
  PressChord({VK_LWIN, VK_SHIFT, 'N'});
  HWND editor = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (editor = app.FindWindowOfClass("TFormSticker")) && IsWindowVisible(editor); }));
  ASSERT_TRUE(WaitUntil([&] { return FocusedWindowOf(editor) != nullptr; }));
  ASSERT_TRUE(TypeInto(FocusedWindowOf(editor), "Keys"));
  PressChord({VK_TAB});
  ASSERT_TRUE(TypeInto(FocusedWindowOf(editor), "typed"));
  ASSERT_TRUE(PressChordUntil({VK_CONTROL, VK_RETURN}, [&] { return NoteTitled(app, "Keys") != nullptr; }));

  // Win+Shift+H hides every note while any shows, and shows them again.
  auto shown = [&] {
    int n = 0;
    for (HWND h : NoteWindows(app)) n += IsWindowVisible(h) ? 1 : 0;
    return n;
  };
  PressChord({VK_LWIN, VK_SHIFT, 'H'});
  EXPECT_TRUE(WaitUntil([&] { return shown() == 0; }));
  PressChord({VK_LWIN, VK_SHIFT, 'H'});
  EXPECT_TRUE(WaitUntil([&] { return shown() == 2; }));

  // The menu key on the icon opens the tray menu at the icon's anchor; from
  // "Notes List" the first note takes the keyboard.
  const POINT anchor{900, 700};
  SelectTrayIconByKeyboard(app, WM_CONTEXTMENU, anchor);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (menu = ShownMenu(app)) != nullptr; }));
  RECT r = WindowBounds(menu);
  EXPECT_TRUE(std::abs(r.left - anchor.x) <= 1 || std::abs(r.right - anchor.x) <= 1) << r.left << " " << r.right;
  Key(VK_DOWN, 5);
  Key(VK_RIGHT);
  ASSERT_TRUE(WaitUntil([&] { return VisibleWindowsOfClass(app, "#32768").size() == 2; }));
  Key(VK_DOWN, 2);  // past "Hide All Notes" and the separator to "Shopping"
  Key(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == shopping; })) << GetForegroundWindow();

  // Its shortcuts act at once; a reader finds its name, its text and its
  // buttons named as their tooltips, the pin pressed while it is on top.
  ASSERT_TRUE(PressChordUntil({VK_CONTROL, 'T'},
                              [&] { return (GetWindowLongA(shopping, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
  std::wstring value;
  const std::vector<ReadItem> read = ReadAccessible(shopping, value);
  EXPECT_EQ(value, L"milk");
  const ReadItem expected[] = {{L"Shopping", ROLE_SYSTEM_CLIENT, STATE_SYSTEM_FOCUSED},
                               {L"Menu", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_HASPOPUP},
                               {L"Hide", ROLE_SYSTEM_PUSHBUTTON, 0},
                               {L"Normal", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_PRESSED},
                               {L"Close", ROLE_SYSTEM_PUSHBUTTON, 0}};  // state: the bits that must be set
  ASSERT_EQ(read.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(read[i].name, expected[i].name) << i;
    EXPECT_EQ(read[i].role, expected[i].role) << i;
    EXPECT_EQ(read[i].state & expected[i].state, expected[i].state) << i;
  }
  // The Enter key on the icon opens the menu as well; Escape leaves it.
  SelectTrayIconByKeyboard(app, NIN_KEYSELECT, anchor);
  ASSERT_TRUE(WaitUntil([&] { return ShownMenu(app) != nullptr; }));
  CloseMenus(app);

  ASSERT_TRUE(app.Exit());
  const std::string ini = folder.ReadIni().value_or("");
  EXPECT_NE(ini.find("Title=Shopping\r\nMemoLineCount=1\r\nMemoLine0=>milk\r\nID=\r\nActive=1\r\nOnTop=1\r\n"),
            std::string::npos);
  EXPECT_NE(ini.find("Title=Keys\r\nMemoLineCount=1\r\nMemoLine0=>typed\r\n"), std::string::npos);
  CoUninitialize();
}

TEST(Keyboard, HotkeysAreSetInTheOptionsSavedReloadedSwitchedOffAndATakenOneIsNamed) {
  // This process holds Win+Shift+H: Wisplet names it once and goes on.
  ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_WIN | MOD_SHIFT, 'H'));
  TestFolder folder;
  auto start = [&] { return std::make_unique<AppProcess>(folder.Exe()); };
  auto app = start();
  std::optional<MessageBoxInfo> box = WaitForMessageBox(*app);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text,
            "Another program already uses Win+Shift+H, the key to show or hide all notes. Wisplet goes on without it; "
            "you can choose another key on the System page of the options.");
  PressMessageBoxButton(*box, IDOK);
  ASSERT_TRUE(app->WaitUp());

  // On the system page: Alt+Shift+A for a new note (not the mnemonic of
  // "&Apply"), the other switched off with Backspace; "&Apply" writes both
  // and registers them at once.
  auto openSystemPage = [&] {
    HWND menu = OpenTrayMenu(*app);
    if (!menu) return HWND{};
    ChooseTrayMenuItem(2);
    HWND options = nullptr;
    WaitUntil([&] { return (options = app->FindWindowOfClass("TFormOptions")) && IsWindowVisible(options); });
    ClickControl(ChildWithText(options, "System"));
    return options;
  };
  HWND options = openSystemPage();
  ASSERT_NE(options, nullptr);
  HWND newNote = ChildWithText(options, "Win+Shift+N"), showHide = ChildWithText(options, "Win+Shift+H");
  ASSERT_TRUE(newNote && showHide);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(newNote); }));
  ClickControl(newNote);
  ASSERT_TRUE(WaitUntil([&] { return FocusedWindowOf(options) == newNote; }));
  PressChordUntil({VK_MENU, VK_SHIFT, 'A'}, [&] { return WindowTextOf(newNote) == "Alt+Shift+A"; });
  EXPECT_EQ(WindowTextOf(newNote), "Alt+Shift+A");
  HWND apply = ChildWithText(options, "&Apply");
  EXPECT_TRUE(IsWindowEnabled(apply));
  PressChord({VK_TAB});
  ASSERT_TRUE(WaitUntil([&] { return FocusedWindowOf(options) == showHide; }));
  PressChord({VK_BACK});
  EXPECT_TRUE(WaitUntil([&] { return WindowTextOf(showHide) == "None"; }));
  ClickControl(apply);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(apply); }));
  EXPECT_NE(folder.ReadIni().value_or("").find("HotkeyNewNote=Alt+Shift+A\r\nHotkeyShowHide=None\r\n"),
            std::string::npos);
  ClickControl(ChildWithText(options, "&OK"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }));
  // Win+Shift+N is free again; Alt+Shift+A writes a note.
  EXPECT_TRUE(RegisterHotKey(nullptr, 2, MOD_WIN | MOD_SHIFT, 'N'));
  UnregisterHotKey(nullptr, 2);
  PressChord({VK_MENU, VK_SHIFT, 'A'});
  HWND editor = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (editor = app->FindWindowOfClass("TFormSticker")) && IsWindowVisible(editor); }));
  ASSERT_TRUE(app->Exit());

  // Read again at the next start, with no message: the held key is off.
  app = start();
  ASSERT_TRUE(app->WaitUp());
  EXPECT_FALSE(WaitForMessageBox(*app, 500).has_value());
  options = openSystemPage();
  ASSERT_NE(options, nullptr);
  EXPECT_NE(ChildWithText(options, "Alt+Shift+A"), nullptr);
  EXPECT_NE(ChildWithText(options, "None"), nullptr);
  Key(VK_ESCAPE);
  EXPECT_TRUE(app->Exit());
  UnregisterHotKey(nullptr, 1);
}
