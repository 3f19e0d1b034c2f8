#pragma once
// The encodings a settings file may come in. The program works in 8-bit text
// of the user's code page; a file saved as Unicode (UTF-8 or UTF-16 with a
// byte order mark) is held as UTF-8 and converted where text enters or leaves
// it, so that lines the program does not change keep every character.
#include <functional>
#include <string>
#include <string_view>

namespace wisplet {

enum class FileEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

// The encoding announced by the file's byte order mark; Ansi without one.
FileEncoding DetectEncoding(std::string_view bytes);
// The text after the byte order mark as UTF-8. An odd last byte of a UTF-16
// file is half a character and is dropped.
std::string UnicodeFileText(std::string_view bytes, FileEncoding encoding);
// UTF-8 text as the bytes of a file in `encoding`, byte order mark first.
std::string UnicodeFileBytes(std::string_view utf8, FileEncoding encoding);

// A surrogate without its pair travels as three bytes of its own (WTF-8), so
// that UTF-16 text survives the way through UTF-8 unit for unit. Bytes that
// are not UTF-8 read as U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

// Conversions between UTF-16 and the program's 8-bit code page.
struct TextCodec {
  std::function<std::string(std::u16string_view)> ToAnsi;
  std::function<std::u16string(std::string_view)> FromAnsi;
};
// ISO 8859-1, with "?" for what it cannot hold: where no code page is known.
TextCodec Latin1Codec();

}  // namespace wisplet
