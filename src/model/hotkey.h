#pragma once
// The two system-wide keys: one writes a new note (opens the note editor as a
// double click on the tray icon does), the other shows or hides all notes.
// A key is a Win32 virtual-key code with the RegisterHotKey modifier bits, so
// the shell passes both straight through (adding MOD_NOREPEAT, 0x4000, so that
// a held key acts once).
//
// Defaults: Win+Shift+N (new note) and Win+Shift+H (show or hide notes).
// - Ctrl+Alt is avoided: it is AltGr on many European layouts, so a hotkey
//   there would swallow typed characters such as "n" with an accent.
// - Ctrl+Shift+letter is taken by many programs (Ctrl+Shift+N makes a folder
//   in Explorer and opens a private window in browsers); a global key would
//   take it from all of them.
// - Win+letter is Windows' own (Win+N and Win+H are taken). Win+Shift+letter
//   is where Windows leaves room: the Win+Shift shortcuts it documents are S
//   (screen snip), M (restore windows), T (taskbar backwards), R (screen
//   recording), the arrows and the digits - none with N or H. N is for
//   "note", H for "hide".
//
// A standard hotkey control (msctls_hotkey32) cannot show or take the Win
// key, so the options window needs a box of its own: it turns each key press
// into a hotkey with HotkeyFromKeyPress and shows HotkeyToText.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wisplet {

// RegisterHotKey's modifier bits.
constexpr int kModAlt = 1;
constexpr int kModControl = 2;
constexpr int kModShift = 4;
constexpr int kModWin = 8;

// A virtual-key code and modifiers; key 0 means switched off ("None").
struct Hotkey {
  int key = 0;
  int modifiers = 0;
  bool IsNone() const { return key == 0; }
  bool operator==(const Hotkey&) const = default;
};

enum class HotkeyAction { NewNote, ShowHideNotes };
inline constexpr HotkeyAction kHotkeyActions[] = {HotkeyAction::NewNote, HotkeyAction::ShowHideNotes};

Hotkey DefaultHotkey(HotkeyAction action);
// What the key does, in words for a label or a message: "write a new note",
// "show or hide all notes".
std::string_view HotkeyActionText(HotkeyAction action);

// A hotkey that may be registered: a key other than a modifier key (and other
// than the mouse buttons), with Ctrl, Alt or Win held - except F1 to F24, which
// may stand alone or with Shift. A plain or shifted letter would swallow
// typing everywhere. "None" is usable too.
bool IsUsableHotkey(Hotkey hotkey);

// The text form of the settings file and of the options window: "None", or
// the modifiers in the order Win, Ctrl, Alt, Shift and the key, joined by "+"
// ("Win+Shift+N", "Ctrl+Alt+F12"). Keys: letters, digits, F1-F24, the named
// keys (Space, Enter, Esc, Tab, Backspace, Insert, Delete, Home, End, PageUp,
// PageDown, Left, Up, Right, Down, Pause, PrintScreen, Apps, Num0-Num9,
// NumMultiply, NumAdd, NumSubtract, NumDecimal, NumDivide, Plus, Comma, Minus,
// Period), and any other key as its code in hex ("0xBA"), since what it
// shows depends on the keyboard layout.
std::string HotkeyToText(Hotkey hotkey);
// Reads that form in any case, with blanks around the parts, the modifiers in
// any order, "Control" and "Windows" for Ctrl and Win, and the common names
// Escape, Return, Del, Ins, PgUp and PgDn. Nothing for text that is not a
// usable hotkey (an unknown name, a modifier twice, "Shift+N").
std::optional<Hotkey> HotkeyFromText(std::string_view text);

// A key pressed in the options window's hotkey box, with the modifiers held:
// Backspace or Delete alone switch the hotkey off; a key that makes a usable
// hotkey is that hotkey; anything else (a modifier alone, a plain letter,
// Tab, Enter or Esc alone, which keep their meaning in the window) is nothing,
// and the box keeps what it shows.
std::optional<Hotkey> HotkeyFromKeyPress(int virtualKey, int modifiers);

// The one message shown when RegisterHotKey refused keys (another program
// holds them): it names each key and what it would have done, and says that
// Wisplet goes on without them. The keys stay in the settings, so they work
// again at the next start once the other program lets go of them.
struct HotkeyBinding {
  HotkeyAction action;
  Hotkey hotkey;
};
std::string HotkeysTakenMessage(const std::vector<HotkeyBinding>& taken);

// What the show-or-hide key does: hide all notes when any note is shown,
// otherwise show them all.
enum class ShowHideChoice { ShowAll, HideAll };
ShowHideChoice ChooseShowOrHide(int shownNotes);

}  // namespace wisplet
