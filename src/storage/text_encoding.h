#pragma once
// The encodings a settings file may come in. Inside, the program's text is
// UTF-8. A file without a byte order mark holds 8-bit text of a code page and
// stays so while every character it holds fits that code page; a file saved
// as Unicode (UTF-8 or UTF-16 with a byte order mark) stays in its encoding.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/unicode.h"

namespace wisplet {

enum class FileEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

// The encoding announced by the file's byte order mark; Ansi without one.
FileEncoding DetectEncoding(std::string_view bytes);
// The text after the byte order mark as UTF-8. An odd last byte of a UTF-16
// file is half a character and is dropped.
std::string UnicodeFileText(std::string_view bytes, FileEncoding encoding);
// UTF-8 text as the bytes of a file in `encoding`, byte order mark first.
std::string UnicodeFileBytes(std::string_view utf8, FileEncoding encoding);

// Conversions between UTF-16 and an 8-bit code page.
struct TextCodec {
  // The text in the code page; nullopt when a character has no place in it
  // (a nearest letter or "?" does not count).
  std::function<std::optional<std::string>(std::u16string_view)> Encode;
  std::function<std::u16string(std::string_view)> Decode;
  bool utf8 = false;  // the code page is UTF-8 (65001)
};
// ISO 8859-1: where no code page is known, and for tests.
TextCodec Latin1Codec();

// The system's code pages for files without a byte order mark: its ANSI code
// page and, where that is UTF-8, the one it used before, which a file that is
// not UTF-8 was written in.
struct CodePages {
  TextCodec ansi = Latin1Codec();
  TextCodec legacy = Latin1Codec();
};
// The code page a file without a byte order mark is read and written in.
const TextCodec& CodePageOfFile(const CodePages& pages, std::string_view bytes);

}  // namespace wisplet
