#include "model/unicode.h"

namespace wisplet {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

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

// The code point of the sequence at `i` and its length; nullopt where the
// bytes there are not one. Encoded surrogates are let through (WTF-8).
std::optional<std::pair<char32_t, std::size_t>> DecodeAt(std::string_view text, std::size_t i) {
  auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = SequenceLength(lead);
  if (length == 0 || i + length > text.size()) return std::nullopt;
  char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
  for (std::size_t k = 1; k < length; ++k) {
    auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (next & 0x3F);
  }
  constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kLeast[length] || c > 0x10FFFF) return std::nullopt;  // overlong, or beyond Unicode
  return std::make_pair(c, length);
}

// Where a pair of surrogates would be cut at `at`.
bool SplitsPair(std::u16string_view text, std::size_t at) {
  return at > 0 && at < text.size() && IsHighSurrogate(text[at - 1]) && IsLowSurrogate(text[at]);
}

}  // namespace

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
  for (std::size_t i = 0; i < text.size();) {
    auto decoded = DecodeAt(text, i);
    if (!decoded) {
      out += kReplacement;
      ++i;
      continue;
    }
    AppendUtf16(out, decoded->first);
    i += decoded->second;
  }
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    auto decoded = DecodeAt(bytes, i);
    if (!decoded || (decoded->first >= 0xD800 && decoded->first <= 0xDFFF)) return false;
    i += decoded->second;
  }
  return true;
}

bool IsAscii(std::string_view bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::size_t CharacterCount(std::u16string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (SplitsPair(text, i + 1)) ++i;
    ++count;
  }
  return count;
}

std::size_t UnitsOfCharacters(std::u16string_view text, std::size_t characters) {
  std::size_t i = 0;
  for (; i < text.size() && characters > 0; --characters) i += SplitsPair(text, i + 1) ? 2 : 1;
  return i;
}

std::optional<Excess> ExcessOfEdit(std::u16string_view before, std::u16string_view after, std::size_t limit) {
  // What was put in lies between the longest common start and end; both are
  // taken back to whole characters.
  std::size_t first = 0;
  while (first < before.size() && first < after.size() && before[first] == after[first]) ++first;
  if (SplitsPair(after, first)) --first;
  std::size_t same = 0;
  while (same < before.size() - first && same < after.size() - first &&
         before[before.size() - 1 - same] == after[after.size() - 1 - same])
    ++same;
  std::size_t last = after.size() - same;
  if (SplitsPair(after, last)) ++last;
  const std::u16string_view put = after.substr(first, last - first);
  const std::size_t kept = CharacterCount(after.substr(0, first)) + CharacterCount(after.substr(last));
  const std::size_t room = kept >= limit ? 0 : limit - kept;
  if (CharacterCount(put) <= room) return std::nullopt;
  return Excess{first + UnitsOfCharacters(put, room), last};
}

}  // namespace wisplet
