#pragma once
// Errors the program raises for a handler to end its action with; the window
// layer shows the text in an error box captioned with the application title.
#include <stdexcept>
#include <string>

namespace wisplet {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Replaces the first "%s" in a message pattern, as the program's messages use.
inline std::string FormatMessage1(const std::string& pattern, const std::string& arg) {
  std::string out = pattern;
  auto pos = out.find("%s");
  if (pos != std::string::npos) out.replace(pos, 2, arg);
  return out;
}

}  // namespace wisplet
