#include "model/hotkey.h"

#include <charconv>
#include <cstdio>

#include "model/ascii.h"

namespace wisplet {
namespace {

constexpr int kModifierMask = kModAlt | kModControl | kModShift | kModWin;
constexpr int kKeyF1 = 0x70, kKeyF24 = 0x87, kKeyNum0 = 0x60, kKeyBackspace = 0x08, kKeyDelete = 0x2E;

struct KeyName {
  int key;
  const char* name;
};
// The first name of a key is the one written; the later ones are only read.
constexpr KeyName kKeyNames[] = {
    {0x08, "Backspace"},  {0x09, "Tab"},         {0x0D, "Enter"},       {0x13, "Pause"},
    {0x1B, "Esc"},        {0x20, "Space"},       {0x21, "PageUp"},      {0x22, "PageDown"},
    {0x23, "End"},        {0x24, "Home"},        {0x25, "Left"},        {0x26, "Up"},
    {0x27, "Right"},      {0x28, "Down"},        {0x2C, "PrintScreen"}, {0x2D, "Insert"},
    {0x2E, "Delete"},     {0x5D, "Apps"},        {0x6A, "NumMultiply"}, {0x6B, "NumAdd"},
    {0x6D, "NumSubtract"}, {0x6E, "NumDecimal"}, {0x6F, "NumDivide"},   {0xBB, "Plus"},
    {0xBC, "Comma"},      {0xBD, "Minus"},       {0xBE, "Period"},      {0x1B, "Escape"},
    {0x0D, "Return"},     {0x2E, "Del"},         {0x2D, "Ins"},         {0x21, "PgUp"},
    {0x22, "PgDn"},
};

struct ModifierName {
  int bit;
  const char* name;
};
// The first four in the order they are written; the others are only read.
constexpr ModifierName kModifierNames[] = {
    {kModWin, "Win"}, {kModControl, "Ctrl"}, {kModAlt, "Alt"}, {kModShift, "Shift"},
    {kModWin, "Windows"}, {kModControl, "Control"}};
constexpr std::size_t kWrittenModifiers = 4;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Keys a hotkey may be made of: not the mouse buttons, not Shift, Ctrl, Alt
// or Win themselves (nor their left and right forms), not the IME's and
// injected text's pseudo keys.
bool IsKeyCode(int key) {
  if (key < 0x08 || key > 0xFE) return false;
  if (key >= 0x10 && key <= 0x12) return false;
  if (key == 0x5B || key == 0x5C || (key >= 0xA0 && key <= 0xA5)) return false;
  return key != 0xE5 && key != 0xE7;
}

bool IsFunctionKey(int key) { return key >= kKeyF1 && key <= kKeyF24; }

std::string KeyToText(int key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, char(key));
  char text[8];
  if (IsFunctionKey(key)) {
    std::snprintf(text, sizeof text, "F%d", key - kKeyF1 + 1);
    return text;
  }
  if (key >= kKeyNum0 && key <= kKeyNum0 + 9) {
    std::snprintf(text, sizeof text, "Num%d", key - kKeyNum0);
    return text;
  }
  for (const KeyName& k : kKeyNames)
    if (k.key == key) return k.name;
  std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(key & 0xFF));
  return text;
}

// A number made of digits only, in the given base.
std::optional<int> Number(std::string_view digits, int base) {
  int value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (digits.empty() || digits.size() > 2 || error != std::errc() || end != digits.data() + digits.size())
    return std::nullopt;
  return value;
}

std::optional<int> KeyFromText(std::string_view text) {
  std::optional<int> key;
  const char first = text.empty() ? '\0' : AsciiLower(text[0]);
  if (text.size() == 1 && ((first >= 'a' && first <= 'z') || (first >= '0' && first <= '9'))) {
    key = first >= 'a' ? first - 'a' + 'A' : first;
  } else if (text.size() >= 2 && first == 'f' && text[1] >= '0' && text[1] <= '9') {
    if (auto n = Number(text.substr(1), 10); n && *n >= 1 && *n <= 24) key = kKeyF1 + *n - 1;
  } else if (text.size() == 4 && EqualsNoCase(text.substr(0, 3), "Num") && text[3] >= '0' && text[3] <= '9') {
    key = kKeyNum0 + (text[3] - '0');
  } else if (text.size() > 2 && EqualsNoCase(text.substr(0, 2), "0x")) {
    key = Number(text.substr(2), 16);
  } else {
    for (const KeyName& k : kKeyNames)
      if (EqualsNoCase(text, k.name)) key = k.key;
  }
  if (!key || !IsKeyCode(*key)) return std::nullopt;
  return key;
}

}  // namespace

Hotkey DefaultHotkey(HotkeyAction action) {
  return {action == HotkeyAction::NewNote ? 'N' : 'H', kModWin | kModShift};
}

std::string_view HotkeyActionText(HotkeyAction action) {
  return action == HotkeyAction::NewNote ? "write a new note" : "show or hide all notes";
}

bool IsUsableHotkey(Hotkey hotkey) {
  if (hotkey.IsNone()) return hotkey.modifiers == 0;
  if (!IsKeyCode(hotkey.key) || (hotkey.modifiers & ~kModifierMask) != 0) return false;
  return (hotkey.modifiers & (kModControl | kModAlt | kModWin)) != 0 || IsFunctionKey(hotkey.key);
}

std::string HotkeyToText(Hotkey hotkey) {
  if (hotkey.IsNone()) return "None";
  std::string text;
  for (std::size_t i = 0; i < kWrittenModifiers; ++i)
    if (hotkey.modifiers & kModifierNames[i].bit) text += std::string(kModifierNames[i].name) + "+";
  return text + KeyToText(hotkey.key);
}

std::optional<Hotkey> HotkeyFromText(std::string_view text) {
  text = Trim(text);
  if (EqualsNoCase(text, "None")) return Hotkey{};
  Hotkey hotkey;
  for (;;) {
    const std::size_t plus = text.find('+');
    const std::string_view part = Trim(text.substr(0, plus));
    if (plus == std::string_view::npos) {
      auto key = KeyFromText(part);
      if (!key) return std::nullopt;
      hotkey.key = *key;
      break;
    }
    int bit = 0;
    for (const ModifierName& m : kModifierNames)
      if (EqualsNoCase(part, m.name)) bit = m.bit;
    if (bit == 0 || (hotkey.modifiers & bit) != 0) return std::nullopt;
    hotkey.modifiers |= bit;
    text.remove_prefix(plus + 1);
  }
  if (!IsUsableHotkey(hotkey)) return std::nullopt;
  return hotkey;
}

std::optional<Hotkey> HotkeyFromKeyPress(int virtualKey, int modifiers) {
  if (!IsKeyCode(virtualKey)) return std::nullopt;
  if (modifiers == 0 && (virtualKey == kKeyBackspace || virtualKey == kKeyDelete)) return Hotkey{};
  const Hotkey hotkey{virtualKey, modifiers & kModifierMask};
  if (!IsUsableHotkey(hotkey)) return std::nullopt;
  return hotkey;
}

std::string HotkeysTakenMessage(const std::vector<HotkeyBinding>& taken) {
  if (taken.empty()) return {};
  if (taken.size() == 1)
    return "Another program already uses " + HotkeyToText(taken[0].hotkey) + ", the key to " +
           std::string(HotkeyActionText(taken[0].action)) +
           ". Wisplet goes on without it; you can choose another key on the System page of the options.";
  std::string text = "Another program already uses these keys:\n";
  for (const HotkeyBinding& b : taken)
    text += HotkeyToText(b.hotkey) + ", to " + std::string(HotkeyActionText(b.action)) + "\n";
  return text + "Wisplet goes on without them; you can choose other keys on the System page of the options.";
}

ShowHideChoice ChooseShowOrHide(int shownNotes) {
  return shownNotes > 0 ? ShowHideChoice::HideAll : ShowHideChoice::ShowAll;
}

}  // namespace wisplet
