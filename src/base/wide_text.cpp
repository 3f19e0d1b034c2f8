#include "base/wide_text.h"

#include <algorithm>

#include "model/unicode.h"

namespace wisplet {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");

std::u16string_view Units(std::wstring_view text) {
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

}  // namespace

std::wstring Wide(std::string_view utf8) {
  std::u16string units = Utf8ToUtf16(utf8);
  return std::wstring(units.begin(), units.end());
}

std::string Utf8(std::wstring_view wide) { return Utf16ToUtf8(Units(wide)); }

std::optional<std::string> ToCodePage(UINT codePage, std::wstring_view text, bool lossy) {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  // UTF-8 has a place for everything but a lone surrogate, and takes no
  // default character.
  const bool utf8 = codePage == CP_UTF8;
  DWORD flags = lossy ? 0 : utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* used = utf8 || lossy ? nullptr : &usedDefault;
  int size = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, used);
  if (size <= 0 || usedDefault) return std::nullopt;
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), length, out.data(), size, nullptr, used);
  if (usedDefault) return std::nullopt;
  return out;
}

std::wstring FromCodePage(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  int size = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(std::max(size, 0)), L'\0');
  if (size > 0) MultiByteToWideChar(codePage, 0, bytes.data(), length, out.data(), size);
  return out;
}

UINT LegacyAnsiCodePage() {
  // LOCALE_IUSEUTF8LEGACYACP is known to Windows 10 1903 and later only; the
  // locale's own ANSI code page comes next, then Western European.
  constexpr LCTYPE kUseUtf8LegacyAcp = 0x00000666;
  for (LCTYPE type : {kUseUtf8LegacyAcp, static_cast<LCTYPE>(LOCALE_IDEFAULTANSICODEPAGE)}) {
    DWORD codePage = 0;
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&codePage),
                       sizeof codePage / sizeof(wchar_t)) &&
        codePage != 0 && codePage != CP_ACP && codePage != CP_UTF8)
      return codePage;
  }
  return 1252;
}

}  // namespace wisplet
