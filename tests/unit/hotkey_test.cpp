// The system-wide keys: their text form, the keys the options window's box
// takes, the message for a key another program holds, the show-or-hide rule.
#include "model/hotkey.h"

#include <gtest/gtest.h>

using namespace wisplet;

namespace {
constexpr int kWinShift = kModWin | kModShift, kCtrlAlt = kModControl | kModAlt, kCtrl = kModControl;
}  // namespace

// The program's own text reads back as it was written; hand-edited text reads
// as the hotkey it names and is written back in the program's form.
TEST(Hotkey, TextWrittenReadAndRefused) {
  struct Case {
    const char* text;
    Hotkey hotkey;
    const char* written = nullptr;  // when not the text itself
  } cases[] = {
      {"Win+Shift+N", {'N', kWinShift}}, {"Ctrl+Alt+7", {'7', kCtrlAlt}},  {"F1", {0x70, 0}},
      {"Shift+F24", {0x87, kModShift}},  {"Alt+PageUp", {0x21, kModAlt}},  {"Ctrl+Alt+Delete", {0x2E, kCtrlAlt}},
      {"Ctrl+Num0", {0x60, kCtrl}},      {"Ctrl+NumDivide", {0x6F, kCtrl}}, {"Ctrl+Plus", {0xBB, kCtrl}},
      {"Win+0xBA", {0xBA, kModWin}},     {"Alt+Esc", {0x1B, kModAlt}},     {"None", {}},
      {"Win+Ctrl+Alt+Shift+Space", {0x20, kModWin | kCtrlAlt | kModShift}},
      // Edited by hand.
      {" win + shift + n ", {'N', kWinShift}, "Win+Shift+N"}, {"SHIFT+WIN+n", {'N', kWinShift}, "Win+Shift+N"},
      {"Control+Windows+Escape", {0x1B, kCtrl | kModWin}, "Win+Ctrl+Esc"}, {"ctrl+0x4e", {'N', kCtrl}, "Ctrl+N"},
      {"Alt+Return", {0x0D, kModAlt}, "Alt+Enter"}, {"Ctrl+PgDn", {0x22, kCtrl}, "Ctrl+PageDown"},
      {"none", {}, "None"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HotkeyFromText(c.text), c.hotkey) << c.text;
    EXPECT_EQ(HotkeyToText(c.hotkey), c.written ? c.written : c.text);
  }
  // Nothing a hotkey can be, or keys that would swallow typing.
  for (const char* text : {"", "N", "Shift+N", "Win+", "+N", "Win++N", "Win+Win+N", "Ctrl+Shift", "Ctrl+Foo",
                           "Ctrl+F0", "Ctrl+F25", "Ctrl+F1x", "Ctrl+0x10", "Ctrl+0x5B", "Ctrl+0x01", "Ctrl+0x100",
                           "Ctrl+0xZZ", "Hyper+N", "Ctrl+Num10", "None+N", "Ctrl+N+M"})
    EXPECT_EQ(HotkeyFromText(text), std::nullopt) << text;
}

TEST(Hotkey, KeysPressedInTheOptionsBox) {
  struct Case {
    int key, modifiers;
    std::optional<Hotkey> hotkey;
  } cases[] = {
      {'N', kWinShift, Hotkey{'N', kWinShift}}, {'N', kWinShift | 0x4000, Hotkey{'N', kWinShift}},
      {'N', 0, std::nullopt}, {'N', kModShift, std::nullopt}, {0x10, kModShift, std::nullopt},
      {0x5B, kModWin, std::nullopt}, {0x08, 0, Hotkey{}}, {0x2E, 0, Hotkey{}}, {0x2E, kCtrlAlt, Hotkey{0x2E, kCtrlAlt}},
      {0x09, 0, std::nullopt}, {0x1B, 0, std::nullopt}, {0x0D, 0, std::nullopt}, {0x71, 0, Hotkey{0x71, 0}},
      {0, kCtrl, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(HotkeyFromKeyPress(c.key, c.modifiers), c.hotkey) << c.key;
}

TEST(Hotkey, TakenKeysGiveOneMessageAndTheShowOrHideRule) {
  EXPECT_EQ(HotkeysTakenMessage({}), "");
  EXPECT_EQ(HotkeysTakenMessage({{HotkeyAction::NewNote, {'N', kWinShift}}}),
            "Another program already uses Win+Shift+N, the key to write a new note. Wisplet goes on without it; "
            "you can choose another key on the System page of the options.");
  std::string both = HotkeysTakenMessage(
      {{HotkeyAction::NewNote, {'N', kWinShift}}, {HotkeyAction::ShowHideNotes, {0x7B, kCtrl}}});
  EXPECT_NE(both.find(":\nWin+Shift+N, to write a new note\nCtrl+F12, to show or hide all notes\nWisplet goes on "
                      "without them"),
            std::string::npos)
      << both;
  EXPECT_EQ(ChooseShowOrHide(0), ShowHideChoice::ShowAll);
  EXPECT_EQ(ChooseShowOrHide(1), ShowHideChoice::HideAll);
}
