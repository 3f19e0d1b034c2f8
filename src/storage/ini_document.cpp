#include "storage/ini_document.h"

#include <algorithm>

#include "model/ascii.h"

namespace wisplet {
namespace {

// The characters the profile functions trim around names and values: 0x1A
// (Ctrl+Z) counts as a blank, NBSP and the other control characters do not.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  s = TrimLeft(s);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// A section header: "[" after optional blanks and a "]" further on; the name
// lies between the first "[" and the last "]".
std::optional<std::string_view> HeaderName(std::string_view line) {
  std::string_view t = TrimLeft(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  std::size_t close = t.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

// A line of a section: a key and, after the first "=", its value. A line
// without "=" is a key without a value: it hides later keys of its name.
struct KeyLine {
  std::string_view key;
  std::optional<std::string_view> value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) {
    std::string_view key = Trim(line);
    if (key.empty()) return std::nullopt;  // blank lines are no keys
    return KeyLine{key, std::nullopt};
  }
  return KeyLine{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

bool IsBlankLine(std::string_view line) { return Trim(line).empty(); }

// Whether a line as written carries blanks that the next rewrite of the file
// trims: before "=", before a header's "]", or at its end.
bool HasTrailingBlanks(std::string_view line) {
  if (line.empty()) return false;
  if (IsBlank(line.back())) return true;
  std::size_t mark = line.front() == '[' ? line.rfind(']') : line.find('=');
  return mark != std::string_view::npos && mark > 0 && IsBlank(line[mark - 1]);
}

// "key=value" and "[name]" lines.
std::string Joined(std::string_view a, std::string_view b, std::string_view c) {
  std::string s;
  s.reserve(a.size() + b.size() + c.size());
  s.append(a).append(b).append(c);
  return s;
}

// One pair of matching quotes around a trimmed value is dropped.
std::string_view Unquoted(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

}  // namespace

IniDocument::IniDocument() { AddSection("", Line::Parsed({}), /*prelude=*/true); }

std::size_t IniDocument::NameHash::operator()(std::string_view name) const {
  std::size_t h = 14695981039346656037ull;  // FNV-1a over the lower-cased bytes
  for (char c : name) h = (h ^ static_cast<unsigned char>(AsciiLower(c))) * 1099511628211ull;
  return h;
}

bool IniDocument::NameEqual::operator()(std::string_view a, std::string_view b) const {
  return EqualsNoCase(a, b);
}

std::size_t IniDocument::FindKey(const Section& s, std::string_view trimmedKey) const {
  if (!s.keysBuilt) {
    s.keys.clear();
    s.keys.reserve(s.lines.size());
    for (std::size_t i = s.prelude ? 0 : 1; i < s.lines.size(); ++i)
      if (auto kv = ParseKeyLine(s.lines[i])) s.keys.emplace_back(NameHash{}(kv->key), i);
    std::sort(s.keys.begin(), s.keys.end());  // by hash, then by line
    s.keysBuilt = true;
  }
  const std::size_t hash = NameHash{}(trimmedKey);
  auto it = std::lower_bound(s.keys.begin(), s.keys.end(), hash,
                             [](const auto& entry, std::size_t h) { return entry.first < h; });
  for (; it != s.keys.end() && it->first == hash; ++it)
    if (EqualsNoCase(ParseKeyLine(s.lines[it->second])->key, trimmedKey)) return it->second;
  return std::string::npos;
}

IniDocument::Section& IniDocument::AddSection(std::string name, Line header, bool prelude) {
  Section section;
  section.name = std::move(name);
  section.prelude = prelude;
  if (!prelude) section.lines.push_back(std::move(header));
  sections_.push_back(std::move(section));
  lastFoundIndex_ = std::string::npos;
  std::string_view stored = sections_.back().name;
  auto it = index_.find(stored);
  if (it == index_.end()) it = index_.emplace(std::string(stored), std::vector<std::size_t>{}).first;
  it->second.push_back(sections_.size() - 1);
  return sections_.back();
}

void IniDocument::SetBlankTailAside() {
  Section& s = sections_.back();
  std::size_t first = s.prelude ? 0 : 1, end = s.lines.size();
  while (end > first && IsBlankLine(s.lines[end - 1])) --end;
  s.blankTail.insert(s.blankTail.begin(), std::make_move_iterator(s.lines.begin() + static_cast<std::ptrdiff_t>(end)),
                     std::make_move_iterator(s.lines.end()));
  s.lines.erase(s.lines.begin() + static_cast<std::ptrdiff_t>(end), s.lines.end());
}

IniDocument IniDocument::Parse(std::string_view original) {
  IniDocument doc;
  doc.source_ = std::make_shared<const std::string>(original);
  const std::string_view text = *doc.source_;
  // The lines first, so that every section's lines are held in one allocation.
  std::vector<std::string_view> lines;
  lines.reserve(text.size() / 32 + 1);
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    lines.push_back(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') {
      ++pos;
      if (pos < text.size() && text[pos] == '\n') ++pos;
    } else if (pos < text.size()) {
      ++pos;  // a lone LF
    }
  }
  std::vector<std::optional<std::string_view>> headers(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) headers[i] = HeaderName(lines[i]);
  for (std::size_t i = 0; i < lines.size();) {
    std::size_t next = i + 1;
    while (next < lines.size() && !headers[next]) ++next;
    if (headers[i]) {
      doc.SetBlankTailAside();
      doc.AddSection(std::string(*headers[i]), Line::Parsed(lines[i]), /*prelude=*/false);
      ++i;
    }
    Section& s = doc.sections_.back();
    s.lines.reserve(s.lines.size() + (next - i));
    for (; i < next; ++i) s.lines.push_back(Line::Parsed(lines[i]));
  }
  doc.SetBlankTailAside();
  return doc;
}

IniDocument IniDocument::ParseInCodePage(std::string_view bytes, TextCodec codec) {
  IniDocument doc = Parse(bytes);
  doc.codec_ = std::make_shared<const TextCodec>(std::move(codec));
  return doc;
}

// ASCII is the same in UTF-8 and in every code page Windows has for 8-bit
// text, and nearly all of a settings file is ASCII.
std::optional<std::string_view> IniDocument::Inner(std::string_view text, std::string& buffer) const {
  if (IsAscii(text)) return text;
  auto converted = codec_->Encode(Utf8ToUtf16(text));
  if (!converted) return std::nullopt;
  buffer = std::move(*converted);
  return std::string_view(buffer);
}

std::string IniDocument::Outer(std::string_view text) const {
  if (IsAscii(text)) return std::string(text);
  return Utf16ToUtf8(codec_->Decode(text));
}

void IniDocument::ToUnicode() {
  // Every line into one new text, which the lines then view.
  std::string text;
  std::vector<std::pair<std::size_t, std::size_t>> spans;  // offset, length
  for (const Section& s : sections_)
    for (const auto* part : {&s.lines, &s.blankTail})
      for (std::string_view line : *part) {
        std::string converted = Outer(line);
        spans.emplace_back(text.size(), converted.size());
        text += converted;
      }
  source_ = std::make_shared<const std::string>(std::move(text));
  const std::string_view all = *source_;
  std::size_t next = 0;
  index_.clear();
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    Section& s = sections_[i];
    for (auto* part : {&s.lines, &s.blankTail})
      for (Line& line : *part) {
        line = Line::Parsed(all.substr(spans[next].first, spans[next].second));
        ++next;
      }
    s.name = Outer(s.name);
    s.keys.clear();
    s.keysBuilt = false;
    if (!s.erased) index_[s.name].push_back(i);
  }
  lastFoundIndex_ = std::string::npos;
  codec_.reset();
}

std::size_t IniDocument::FindIndex(std::string_view section) const {
  const std::string_view name = Trim(section);
  if (lastFoundIndex_ != std::string::npos && EqualsNoCase(name, lastFound_)) return lastFoundIndex_;
  auto it = index_.find(name);
  if (it == index_.end() || it->second.empty()) return std::string::npos;
  lastFound_.assign(name);
  lastFoundIndex_ = it->second.front();
  return lastFoundIndex_;
}

const IniDocument::Section* IniDocument::Find(std::string_view section) const {
  std::size_t i = FindIndex(section);
  return i == std::string::npos ? nullptr : &sections_[i];
}

const IniDocument::Section* IniDocument::FindOuter(std::string_view section) const {
  if (!codec_) return Find(section);
  std::string buffer;
  auto inner = Inner(section, buffer);
  return inner ? Find(*inner) : nullptr;  // a name the code page cannot hold is not there
}

bool IniDocument::HasSection(std::string_view section) const { return FindOuter(section) != nullptr; }

std::size_t IniDocument::LineCount(std::string_view section) const {
  const Section* s = FindOuter(section);
  if (!s) return 0;
  return s->lines.size() + s->blankTail.size() - (s->prelude ? 0 : 1);
}

std::size_t IniDocument::SectionCount() const {
  return static_cast<std::size_t>(
      std::count_if(sections_.begin(), sections_.end(),
                    [](const Section& s) { return !s.prelude && !s.erased; }));
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  if (!codec_) return GetText(section, key);
  std::string sectionBuffer, keyBuffer;
  auto s = Inner(section, sectionBuffer), k = Inner(key, keyBuffer);
  if (!s || !k) return std::nullopt;
  auto value = GetText(*s, *k);
  if (value && !IsAscii(*value)) *value = Outer(*value);
  return value;
}

std::optional<std::string> IniDocument::GetText(std::string_view section, std::string_view key) const {
  const Section* s = Find(section);
  if (!s) return std::nullopt;
  std::size_t i = FindKey(*s, Trim(key));
  if (i == std::string::npos) return std::nullopt;
  auto kv = ParseKeyLine(s->lines[i]);
  if (!kv->value) return std::nullopt;
  return std::string(Unquoted(*kv->value));
}

void IniDocument::Written(std::size_t section, std::size_t line) {
  unsettled_.clear();
  if (HasTrailingBlanks(sections_[section].lines[line])) unsettled_.push_back({section, line});
}

void IniDocument::Settle() {
  for (const LineRef& ref : unsettled_) {
    Section& s = sections_[ref.section];
    if (s.erased || ref.line >= s.lines.size()) continue;
    Line& line = s.lines[ref.line];
    if (ref.line == 0 && !s.prelude) {
      line = Line::Written(Joined("[", s.name, "]"));
    } else if (auto kv = ParseKeyLine(line); kv && kv->value) {
      line = Line::Written(Joined(kv->key, "=", *kv->value));
    }
  }
  unsettled_.clear();
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (codec_) {
    std::string buffers[3];
    auto s = Inner(section, buffers[0]), k = Inner(key, buffers[1]), v = Inner(value, buffers[2]);
    if (s && k && v) return SetText(*s, *k, *v);
    ToUnicode();
  }
  SetText(section, key, value);
}

void IniDocument::SetText(std::string_view section, std::string_view key, std::string_view value) {
  // The profile functions look names up trimmed but write them, like the
  // value, with only their leading blanks stripped.
  std::string_view writtenKey = TrimLeft(key);
  value = TrimLeft(value);
  std::size_t si = FindIndex(section);
  if (si == std::string::npos) {
    Settle();
    std::string_view writtenName = TrimLeft(section);
    AddSection(std::string(Trim(section)), Line::Written(Joined("[", writtenName, "]")), /*prelude=*/false)
        .lines.push_back(Line::Written(Joined(writtenKey, "=", value)));
    Written(sections_.size() - 1, 1);
    if (HasTrailingBlanks(sections_.back().lines[0])) unsettled_.push_back({sections_.size() - 1, 0});
    return;
  }
  std::string_view name = Trim(key);
  Section* s = &sections_[si];
  if (std::size_t i = FindKey(*s, name); i != std::string::npos) {
    auto kv = ParseKeyLine(s->lines[i]);
    if (kv->value && *kv->value == value) return;  // nothing changes, nothing is rewritten
    Settle();
    kv = ParseKeyLine(s->lines[i]);  // Settle may have rewritten this very line
    s->lines[i] = Line::Written(Joined(kv->key, "=", value));
    Written(si, i);
    return;
  }
  Settle();
  // A new key goes after the section's last non-blank line (the blank lines
  // below it are its blank tail), so that no line moves.
  std::size_t at = s->lines.size();
  s->lines.push_back(Line::Written(Joined(writtenKey, "=", value)));
  if (s->keysBuilt) {
    std::size_t hash = NameHash{}(name);
    auto it = std::upper_bound(s->keys.begin(), s->keys.end(), hash,
                               [](std::size_t h, const auto& entry) { return h < entry.first; });
    s->keys.insert(it, {hash, at});
  }
  Written(si, at);
}

void IniDocument::EraseSection(std::string_view section) {
  if (!codec_) return EraseText(section);
  std::string buffer;
  if (auto inner = Inner(section, buffer)) EraseText(*inner);
}

void IniDocument::EraseText(std::string_view section) {
  // Unlike reading and setting, erasing does not trim the name it is given.
  if (Trim(section).size() != section.size()) return;
  auto it = index_.find(section);
  if (it == index_.end() || it->second.empty()) return;
  Settle();
  lastFoundIndex_ = std::string::npos;
  Section& s = sections_[it->second.front()];
  s.lines.clear();
  s.blankTail.clear();
  s.keys.clear();
  s.keysBuilt = false;
  if (s.prelude) return;  // the lines before the first header have no header to remove
  s.erased = true;
  it->second.erase(it->second.begin());
}

std::string IniDocument::Serialize() const {
  std::string out;
  for (const Section& s : sections_) {
    if (s.erased) continue;
    for (const auto* part : {&s.lines, &s.blankTail}) {
      for (std::string_view line : *part) {
        out += line;
        out += "\r\n";
      }
    }
  }
  return out;
}

}  // namespace wisplet
