#pragma once
// Text is UTF-8 inside the program and UTF-16 where it meets Windows. A
// surrogate without its pair travels as three bytes of its own (WTF-8), so
// that UTF-16 text survives the way through UTF-8 unit for unit.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace wisplet {

// Bytes that are not UTF-8 read as U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);
// Whether the bytes are UTF-8 as a strict reader takes it: no overlong
// forms, no encoded surrogates, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view bytes);
bool IsAscii(std::string_view bytes);

// Characters of UTF-16 text: a surrogate pair is one, a lone surrogate too.
std::size_t CharacterCount(std::u16string_view text);
// Code units of the first `characters` characters.
std::size_t UnitsOfCharacters(std::u16string_view text, std::size_t characters);

// An edit of a text that may hold at most `limit` characters turned `before`
// into `after`. When the text put in goes beyond the limit, the units
// [first, last) of `after` are the part of it to take out again: whatever
// follows the characters that still fit, never half a surrogate pair. A text
// over the limit already takes nothing more in.
struct Excess {
  std::size_t first = 0;
  std::size_t last = 0;
};
std::optional<Excess> ExcessOfEdit(std::u16string_view before, std::u16string_view after, std::size_t limit);

}  // namespace wisplet
