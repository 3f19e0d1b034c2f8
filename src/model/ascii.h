#pragma once
// Names the program compares without regard to case - INI sections and keys,
// color names, switches, key names - are ASCII; other bytes compare as they are.
#include <cstddef>
#include <string_view>

namespace wisplet {

inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

inline bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

}  // namespace wisplet
