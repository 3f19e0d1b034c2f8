#pragma once
// Where text crosses the Win32 edge: the program's UTF-8 as the UTF-16 the
// wide ("W") functions take and give, and 8-bit text of a code page for what
// must stay 8-bit (the clipboard's CF_TEXT, settings files without a byte
// order mark).
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace wisplet {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

// `text` in the code page; nullopt when a character has no place in it. With
// `lossy`, such a character becomes the code page's nearest letter or "?"
// instead, as the system's own conversion does.
std::optional<std::string> ToCodePage(UINT codePage, std::wstring_view text, bool lossy = false);
std::wstring FromCodePage(UINT codePage, std::string_view bytes);
// The code page 8-bit text was in before the system switched its ANSI code
// page to UTF-8 (65001): as the system or the user's locale says, else 1252.
UINT LegacyAnsiCodePage();

}  // namespace wisplet
