#include "storage/text_encoding.h"

namespace wisplet {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEBom = "\xFF\xFE";
constexpr std::string_view kUtf16BEBom = "\xFE\xFF";
constexpr char16_t kReplacement = 0xFFFD;

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  }
}

// Bytes of the UTF-8 sequence that starts with `lead`; 0 when none does.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead < 0xE0) return 2;
  if (lead >= 0xE0 && lead < 0xF0) return 3;
  if (lead >= 0xF0 && lead < 0xF5) return 4;
  return 0;
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

FileEncoding DetectEncoding(std::string_view bytes) {
  if (StartsWith(bytes, kUtf8Bom)) return FileEncoding::Utf8;
  if (StartsWith(bytes, kUtf16LEBom)) return FileEncoding::Utf16LE;
  if (StartsWith(bytes, kUtf16BEBom)) return FileEncoding::Utf16BE;
  return FileEncoding::Ansi;
}

std::string UnicodeFileText(std::string_view bytes, FileEncoding encoding) {
  switch (encoding) {
    case FileEncoding::Ansi:
      return std::string(bytes);
    case FileEncoding::Utf8:
      return std::string(bytes.substr(kUtf8Bom.size()));
    case FileEncoding::Utf16LE:
    case FileEncoding::Utf16BE:
      break;
  }
  bool little = encoding == FileEncoding::Utf16LE;
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    units += static_cast<char16_t>(little ? a | (b << 8) : (a << 8) | b);
  }
  return Utf16ToUtf8(units);
}

std::string UnicodeFileBytes(std::string_view utf8, FileEncoding encoding) {
  switch (encoding) {
    case FileEncoding::Ansi:
      return std::string(utf8);
    case FileEncoding::Utf8:
      return std::string(kUtf8Bom) + std::string(utf8);
    case FileEncoding::Utf16LE:
    case FileEncoding::Utf16BE:
      break;
  }
  bool little = encoding == FileEncoding::Utf16LE;
  std::u16string units = Utf8ToUtf16(utf8);
  std::string out(little ? kUtf16LEBom : kUtf16BEBom);
  out.reserve(2 + units.size() * 2);
  for (char16_t u : units) {
    char low = static_cast<char>(u & 0xFF), high = static_cast<char>(u >> 8);
    out += little ? low : high;
    out += little ? high : low;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    AppendUtf8(out, c);
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = SequenceLength(lead);
    char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
    bool valid = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms and code points beyond Unicode are not UTF-8; encoded
    // surrogates are let through (see above).
    constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!valid || c < kLeast[length] || c > 0x10FFFF) {
      out += kReplacement;
      ++i;
      continue;
    }
    AppendUtf16(out, c);
    i += length;
  }
  return out;
}

TextCodec Latin1Codec() {
  return {[](std::u16string_view text) {
            std::string out;
            for (char16_t u : text) out += u < 0x100 ? static_cast<char>(u) : '?';
            return out;
          },
          [](std::string_view text) {
            std::u16string out;
            for (char c : text) out += static_cast<char16_t>(static_cast<unsigned char>(c));
            return out;
          }};
}

}  // namespace wisplet
