#include "storage/conflict_copy.h"

#include <algorithm>
#include <cctype>

namespace wisplet {
namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

bool StartsWith(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && SameLetters(text.substr(0, start.size()), start);
}

std::size_t CountWhile(std::string_view text, bool (*accept)(unsigned char)) {
  return static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), accept) - text.begin());
}

bool IsNameCharacter(unsigned char c) { return std::isalnum(c) || c == '_'; }
bool IsSyncCharacter(unsigned char c) { return std::isalnum(c) || c == '-'; }

// The length of the conflict mark `rest` starts with, 0 when none.
std::size_t MarkLength(std::string_view rest) {
  constexpr std::string_view kSyncConflict = ".sync-conflict-";
  if (StartsWith(rest, kSyncConflict)) {
    std::size_t length = CountWhile(rest.substr(kSyncConflict.size()), IsSyncCharacter);
    return length > 0 ? kSyncConflict.size() + length : 0;
  }
  if (rest.front() == '-') {
    std::size_t length = CountWhile(rest.substr(1), IsNameCharacter);
    return length > 0 ? 1 + length : 0;
  }
  std::size_t open = rest.find_first_not_of(' ');
  if (open == std::string_view::npos || rest[open] != '(') return 0;
  int depth = 0;
  for (std::size_t i = open; i < rest.size(); ++i) {
    depth += rest[i] == '(' ? 1 : rest[i] == ')' ? -1 : 0;
    if (depth == 0) return i > open + 1 ? i + 1 : 0;
  }
  return 0;
}

}  // namespace

bool IsConflictCopyName(std::string_view settingsName, std::string_view name) {
  const std::size_t dot = settingsName.rfind('.');
  const std::string_view stem = settingsName.substr(0, dot);
  const std::string_view extension = dot == std::string_view::npos ? "" : settingsName.substr(dot);
  if (name.size() <= settingsName.size() || !StartsWith(name, stem) ||
      !SameLetters(name.substr(name.size() - extension.size()), extension))
    return false;
  std::string_view marks = name.substr(stem.size(), name.size() - stem.size() - extension.size());
  while (!marks.empty()) {
    const std::size_t length = MarkLength(marks);
    if (length == 0) return false;
    marks.remove_prefix(length);
  }
  return true;
}

}  // namespace wisplet
