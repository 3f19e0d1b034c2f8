// Color texts: anything either reads as a color or raises the conversion
// error with the text in it; every color read writes a text that reads back
// as the same color; the integer form agrees with the C library's reading.
#include <cerrno>
#include <cstdlib>
#include <string>

#include "fuzz_check.h"
#include "model/color.h"
#include "model/errors.h"

using namespace wisplet;

namespace {

// Leading spaces, then an optional sign and decimal digits only.
bool IsPlainDecimal(std::string_view s) {
  std::size_t i = s.find_first_not_of(' ');
  if (i == std::string_view::npos) return false;
  if (s[i] == '+' || s[i] == '-') ++i;
  return i < s.size() && s.find_first_not_of("0123456789", i) == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto color = TryTextToColor(text);
  try {
    TColor read = TextToColor(text);
    FUZZ_CHECK(color && read == *color);
  } catch (const Error& e) {
    FUZZ_CHECK(!color);
    // what() is C text: a NUL in the color text ends the message there.
    const std::string message = "'" + text + "' is not a valid integer value";
    FUZZ_CHECK(std::string(e.what()) == message.c_str());
  }
  if (color) FUZZ_CHECK(TryTextToColor(ColorToText(*color)) == color);

  const auto integer = ParseInteger(text);
  if (integer) FUZZ_CHECK(color == static_cast<TColor>(*integer));
  if (IsPlainDecimal(text)) {
    errno = 0;
    char* end = nullptr;
    long long expected = std::strtoll(text.c_str(), &end, 10);
    bool fits = errno == 0 && expected >= INT32_MIN && expected <= INT32_MAX;
    FUZZ_CHECK(integer.has_value() == fits);
    if (fits) FUZZ_CHECK(*integer == expected);
  }
  return 0;
}
