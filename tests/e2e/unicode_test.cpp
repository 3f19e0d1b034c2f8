// Text the ANSI code page (1252 here) cannot hold, from the keyboard to the
// note, the settings file, the clipboard and back after a restart; and the
// program run from a folder whose name that code page cannot hold.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/wide_text.h"
#include "harness.h"

using namespace e2e;
using wisplet::Wide;

namespace {

const std::wstring kTitle = L"Za\u017C\u00F3\u0142\u0107 \u65E5\u672C\u8A9E \U0001F600";  // "Zażółć 日本語 😀"
const std::wstring kMemo = L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC \u2605";       // "Ελληνικά ★"

struct EditorFields {
  HWND editor = nullptr, title = nullptr, memo = nullptr;
};

EditorFields ShownEditor(const AppProcess& app) {
  EditorFields f;
  WaitUntil([&] {
    auto shown = VisibleWindowsOfClass(app, "TFormSticker");
    return !shown.empty() && (f.editor = shown.front()) != nullptr;
  }, 5000);
  for (HWND child = GetWindow(f.editor, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    if (_wcsicmp(cls, L"Edit") == 0) (GetWindowLongW(child, GWL_STYLE) & ES_MULTILINE ? f.memo : f.title) = child;
  }
  return f;
}

// The settings file's text, when it is UTF-16LE.
std::wstring SavedText(const std::wstring& ini) {
  auto bytes = ReadFileBytes(ini);
  return bytes ? Utf16LEText(*bytes).value_or(L"<not UTF-16LE>") : L"<missing>";
}

void ExpectHolds(const std::wstring& text, const std::wstring& part) {
  EXPECT_NE(text.find(part), std::wstring::npos) << "the settings file lacks a line it should hold";
}

}  // namespace

TEST(Unicode, TypedTextIsKeptByTheNoteTheFileTheClipboardAndARestart) {
  TestFolder folder;
  // An 8-bit file of code page 1252 with a section of the user's own.
  folder.WriteIni("[Main]\r\nStickerCount=0\r\n[Mine]\r\ncaf\xE9=cr\xE8me\r\n");
  auto app = std::make_unique<AppProcess>(folder.Exe());
  ASSERT_TRUE(app->WaitUp());
  ASSERT_NE(OpenEditorFromTray(*app), nullptr);
  EditorFields f = ShownEditor(*app);
  ASSERT_NE(f.title, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return FocusedWindowOf(f.editor) == f.title; }, 5000));
  // Entering the field selects its text, so typing replaces it.
  ASSERT_TRUE(TypeUnicode(f.title, kTitle));
  EXPECT_EQ(WindowTextOfW(f.title), kTitle);
  PressChord({VK_TAB});
  ASSERT_TRUE(WaitUntil([&] { return FocusedWindowOf(f.editor) == f.memo; }, 3000));
  ASSERT_TRUE(TypeUnicode(f.memo, kMemo));
  ASSERT_TRUE(PressChordUntil({VK_CONTROL, VK_RETURN}, [&] { return !IsWindowVisible(f.editor); }));

  // The first character that code page 1252 cannot hold turns the whole file
  // UTF-16LE; the user's own line keeps its characters.
  ASSERT_TRUE(WaitUntil([&] { return SavedText(Wide(folder.Ini())).find(kTitle) != std::wstring::npos; }, 5000))
      << "not saved as UTF-16LE";
  const std::wstring saved = SavedText(Wide(folder.Ini()));
  ExpectHolds(saved, L"[Mine]\r\ncaf\u00E9=cr\u00E8me\r\n");
  ExpectHolds(saved, L"Title=" + kTitle + L"\r\nMemoLineCount=1\r\nMemoLine0=>" + kMemo + L"\r\n");

  std::vector<HWND> notes;
  ASSERT_TRUE(WaitUntil([&] { return (notes = VisibleWindowsOfClass(*app, "TStickerWindow")).size() == 1; }, 5000));
  RECT shown = WindowBounds(notes[0]);
  SaveScreenshot("unicode-note", &shown);

  // Ctrl+C: the note's own text as Unicode, and as 8-bit text of the code page.
  SetClipboardText("before the copy");
  Click(shown.left + 100, shown.top + 6);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == notes[0]; }, 5000));
  const std::wstring copied = kTitle + L":\r\n" + kMemo + L"\r\n";
  ASSERT_TRUE(PressChordUntil({VK_CONTROL, 'C'}, [&] { return ClipboardUnicodeText() == copied; }));
  char ansi[256] = {};
  WideCharToMultiByte(CP_ACP, 0, copied.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
  EXPECT_EQ(ClipboardText(), std::string(ansi));
  ASSERT_TRUE(ClipboardLocale().has_value());
  EXPECT_EQ(AnsiCodePageOf(*ClipboardLocale()), GetACP());

  // After a restart the note shows it again, and the editor holds it.
  ASSERT_TRUE(app->Exit());
  app = std::make_unique<AppProcess>(folder.Exe());
  ASSERT_TRUE(app->WaitUp());
  ASSERT_TRUE(WaitUntil([&] { return (notes = VisibleWindowsOfClass(*app, "TStickerWindow")).size() == 1; }, 5000));
  EXPECT_EQ(WindowBounds(notes[0]).right - WindowBounds(notes[0]).left, shown.right - shown.left);
  RECT again = WindowBounds(notes[0]);
  SaveScreenshot("unicode-note-restarted", &again);
  Click(again.left + 100, again.top + 6);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == notes[0]; }, 5000));
  f = EditorFields{};
  ASSERT_TRUE(PressChordUntil({VK_CONTROL, 'E'}, [&] { return (f = ShownEditor(*app)).title != nullptr; }));
  EXPECT_EQ(WindowTextOfW(f.title), kTitle);
  EXPECT_EQ(WindowTextOfW(f.memo), kMemo);

  // The title's limit of 100 counts characters: at 99, a pasted run of
  // emoji gives one whole pair, and a typed one no half of another.
  const std::wstring ninetyNine(99, L'a');
  SendMessageW(f.title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ninetyNine.c_str()));
  SendMessageW(f.title, EM_SETSEL, 99, 99);
  SetClipboardUnicodeText(L"\U0001F600\U0001F600\U0001F600");
  // The edit's own paste, as Ctrl+V makes it (a chord whose Ctrl could be lost).
  SendMessageW(f.title, WM_PASTE, 0, 0);
  EXPECT_EQ(WindowTextOfW(f.title), ninetyNine + L"\U0001F600");
  TypeUnicode(f.title, L"\U0001F601", 500);  // refused: nothing changes
  EXPECT_EQ(WindowTextOfW(f.title), ninetyNine + L"\U0001F600");
  EXPECT_TRUE(app->Exit());
  ExpectHolds(SavedText(Wide(folder.Ini())), L"Title=" + kTitle + L"\r\n");  // still UTF-16LE
}

TEST(Unicode, RunsFromAFolderNamedOutsideTheCodePageAndSavesThere) {
  WideTestFolder folder(L"\u0141ukasz \u65E5\u672C");  // "Łukasz 日本"
  WriteFileBytes(folder.Ini(), "[Main]\r\nStickerCount=1\r\n[Sticker0]\r\nTitle=Shopping\r\nActive=1\r\n"
                               "Top=200\r\nLeft=200\r\n");
  // Its own path, stored as an expandable string: it reads as on, and the
  // save that exit makes writes it anew as a plain string.
  WriteAutorunValueW(folder.Exe(), REG_EXPAND_SZ);
  AppProcess app(folder.Exe());
  ASSERT_TRUE(app.WaitUp());
  EXPECT_EQ(VisibleWindowsOfClass(app, "TStickerWindow").size(), 1u);
  ASSERT_TRUE(app.Exit()) << "a failed save keeps the program running";
  auto saved = ReadFileBytes(folder.Ini());
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->find("[Main]\r\nStickerCount=1\r\nCurrentStyle=Default\r\nSchemesCount=0\r\n[Sticker0]\r\n"
                        "Title=Shopping\r\n"),
            0u)
      << *saved;
  DWORD type = 0;
  EXPECT_EQ(ReadAutorunValueW(HKEY_LOCAL_MACHINE, &type), folder.Exe());
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  DeleteAutorunValue();
}
