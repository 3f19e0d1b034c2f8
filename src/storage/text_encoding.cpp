#include "storage/text_encoding.h"

namespace wisplet {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEBom = "\xFF\xFE";
constexpr std::string_view kUtf16BEBom = "\xFE\xFF";

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

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

TextCodec Latin1Codec() {
  return {[](std::u16string_view text) -> std::optional<std::string> {
            std::string out;
            for (char16_t u : text) {
              if (u >= 0x100) return std::nullopt;
              out += static_cast<char>(u);
            }
            return out;
          },
          [](std::string_view text) {
            std::u16string out;
            for (char c : text) out += static_cast<char16_t>(static_cast<unsigned char>(c));
            return out;
          }};
}

const TextCodec& CodePageOfFile(const CodePages& pages, std::string_view bytes) {
  return pages.ansi.utf8 && !IsValidUtf8(bytes) ? pages.legacy : pages.ansi;
}

}  // namespace wisplet
