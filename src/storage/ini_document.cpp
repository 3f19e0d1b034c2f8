#include "storage/ini_document.h"

#include <algorithm>

namespace wisplet {
namespace {

// The characters the profile functions trim around names and values.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

// A section header: "[" after optional blanks and a "]" further on; the name
// lies between the first "[" and the last "]".
std::optional<std::string_view> HeaderName(std::string_view line) {
  std::string_view t = Trim(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  std::size_t close = t.rfind(']');
  if (close == std::string_view::npos || close == 0) return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

// A line holding a key: the key and the value split at the first "=".
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

bool IsBlankLine(std::string_view line) { return Trim(line).empty(); }

}  // namespace

IniDocument::IniDocument() { AddSection("", "", /*prelude=*/true); }

std::string IniDocument::Key(std::string_view name) {
  std::string key(Trim(name));
  std::transform(key.begin(), key.end(), key.begin(), AsciiLower);
  return key;
}

IniDocument::Section& IniDocument::AddSection(std::string name, std::string header, bool prelude) {
  Section section;
  section.name = std::move(name);
  section.prelude = prelude;
  if (!prelude) section.lines.push_back(std::move(header));
  sections_.push_back(std::move(section));
  index_[Key(sections_.back().name)].push_back(sections_.size() - 1);
  return sections_.back();
}

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument doc;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size() && text[pos] == '\r') {
      ++pos;
      if (pos < text.size() && text[pos] == '\n') ++pos;
    } else if (pos < text.size()) {
      ++pos;  // a lone LF
    }
    if (auto name = HeaderName(line))
      doc.AddSection(std::string(*name), std::string(line), /*prelude=*/false);
    else
      doc.sections_.back().lines.emplace_back(line);
  }
  return doc;
}

const IniDocument::Section* IniDocument::Find(std::string_view section) const {
  auto it = index_.find(Key(section));
  if (it == index_.end() || it->second.empty()) return nullptr;
  return &sections_[it->second.front()];
}

IniDocument::Section* IniDocument::Find(std::string_view section) {
  return const_cast<Section*>(static_cast<const IniDocument*>(this)->Find(section));
}

bool IniDocument::HasSection(std::string_view section) const { return Find(section) != nullptr; }

std::size_t IniDocument::LineCount(std::string_view section) const {
  const Section* s = Find(section);
  if (!s) return 0;
  return s->prelude ? s->lines.size() : s->lines.size() - 1;
}

std::size_t IniDocument::SectionCount() const {
  return static_cast<std::size_t>(std::count_if(
      sections_.begin(), sections_.end(), [](const Section& s) { return !s.prelude && !s.erased; }));
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const Section* s = Find(section);
  if (!s) return std::nullopt;
  key = Trim(key);
  for (std::size_t i = s->prelude ? 0 : 1; i < s->lines.size(); ++i) {
    auto kv = ParseKeyLine(s->lines[i]);
    if (!kv || !EqualsNoCase(kv->key, key)) continue;
    std::string_view value = kv->value;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    if (value.size() > kProfileValueLimit) value = value.substr(0, kProfileValueLimit);
    return std::string(value);
  }
  return std::nullopt;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  key = Trim(key);
  value = TrimLeft(value);
  Section* s = Find(section);
  if (!s) {
    std::string name(Trim(section));
    s = &AddSection(name, "[" + name + "]", /*prelude=*/false);
  }
  std::size_t first = s->prelude ? 0 : 1;
  for (std::size_t i = first; i < s->lines.size(); ++i) {
    auto kv = ParseKeyLine(s->lines[i]);
    if (!kv || !EqualsNoCase(kv->key, key)) continue;
    s->lines[i] = std::string(kv->key) + "=" + std::string(value);
    return;
  }
  // A new key goes after the section's last non-blank line.
  std::size_t at = s->lines.size();
  while (at > first && IsBlankLine(s->lines[at - 1])) --at;
  s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(at),
                  std::string(key) + "=" + std::string(value));
}

void IniDocument::EraseSection(std::string_view section) {
  auto it = index_.find(Key(section));
  if (it == index_.end() || it->second.empty()) return;
  Section& s = sections_[it->second.front()];
  s.lines.clear();
  if (s.prelude) return;  // the lines before the first header have no header to remove
  s.erased = true;
  it->second.erase(it->second.begin());
}

std::string IniDocument::Serialize() const {
  std::string out;
  for (const Section& s : sections_) {
    if (s.erased) continue;
    for (const std::string& line : s.lines) {
      out += line;
      out += "\r\n";
    }
  }
  return out;
}

}  // namespace wisplet
