// The INI engine measured against the profile functions themselves: thousands
// of generated files, ordinary and hostile, are read through both and must
// give the same answers; sequences of edits made through both must leave the
// same bytes. The generator is seeded; set WISPLET_INI_SEED to replay or to
// explore another run.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "harness.h"
#include "base/wide_text.h"
#include "ini_cases.h"
#include "storage/ini_document.h"
#include "storage/settings.h"
#include "storage/win32_settings.h"

using namespace e2e;
using wisplet::IniDocument;
using namespace wisplet_test;

namespace {

constexpr char kDefault[] = "<<DEFAULT>>";
constexpr std::size_t kShownMismatches = 6;

std::uint32_t BaseSeed() {
  const char* s = std::getenv("WISPLET_INI_SEED");
  return s && *s ? static_cast<std::uint32_t>(std::strtoul(s, nullptr, 0)) : 20240611u;
}

// C escapes, with long runs of one byte folded so that 3000-byte values stay readable.
std::string Escape(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    std::size_t run = 1;
    while (i + run < s.size() && s[i + run] == s[i]) ++run;
    unsigned char c = static_cast<unsigned char>(s[i]);
    std::string one;
    if (c == '\\')
      one = "\\\\";
    else if (c == '"')
      one = "\\\"";
    else if (c == '\r')
      one = "\\r";
    else if (c == '\n')
      one = "\\n";
    else if (c == '\t')
      one = "\\t";
    else if (c >= 0x20 && c < 0x7F)
      one = std::string(1, static_cast<char>(c));
    else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      one = hex;
    }
    if (run > 8) {
      out += one + "{" + std::to_string(run) + "}";
      i += run;
    } else {
      out += one;
      ++i;
    }
  }
  return out;
}

std::string Show(const std::optional<std::string>& v) {
  return v ? "\"" + Escape(*v) + "\"" : std::string("(missing)");
}

// A scratch folder for the files handed to the profile functions. Every file
// gets a name of its own: the profile functions cache files they have seen.
class Scratch {
 public:
  Scratch() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    folder_ = std::string(temp) + "wisplet-ini-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  ~Scratch() {
    for (const std::string& f : files_) DeleteFileA(f.c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  // A path that does not exist yet.
  std::string NewPath() {
    std::string path = folder_ + "\\f" + std::to_string(next_++) + ".ini";
    DeleteFileA(path.c_str());
    files_.push_back(path);
    return path;
  }
  // Drops the files made so far, keeping the folder.
  void Clean() {
    for (const std::string& f : files_) DeleteFileA(f.c_str());
    files_.clear();
  }

 private:
  std::string folder_;
  std::vector<std::string> files_;
  int next_ = 0;
};

// The program reads a value whole; so do the profile functions, given a
// buffer larger than any value here.
constexpr DWORD kValueBuffer = 1 << 16;

std::optional<std::string> ProfileGet(const std::string& path, const std::string& section,
                                      const std::string& key) {
  static char buf[kValueBuffer];
  DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), kDefault, buf, sizeof buf,
                                     path.c_str());
  std::string value(buf, n);
  if (value == kDefault) return std::nullopt;
  return value;
}

// The same through the wide functions, names and value in UTF-8.
std::optional<std::string> ProfileGetWide(const std::string& path, const std::string& section,
                                          const std::string& key) {
  static wchar_t buf[kValueBuffer];
  DWORD n = GetPrivateProfileStringW(wisplet::Wide(section).c_str(), wisplet::Wide(key).c_str(), L"<<DEFAULT>>",
                                     buf, kValueBuffer, wisplet::Wide(path).c_str());
  std::string value = wisplet::Utf8(std::wstring_view(buf, n));
  if (value == kDefault) return std::nullopt;
  return value;
}

// 8-bit text of the ANSI code page as the program holds it.
std::string Utf8OfAnsi(const std::string& ansi) { return wisplet::Utf8(wisplet::FromCodePage(CP_ACP, ansi)); }

std::string FileOrEmpty(const std::string& path) { return ReadFileBytes(path).value_or(""); }

// ---------------------------------------------------------------------------
// The generator.

class Rng {
 public:
  explicit Rng(std::uint32_t seed) : g_(seed) {}
  int Below(std::size_t n) {
    return std::uniform_int_distribution<int>(0, static_cast<int>(n) - 1)(g_);
  }
  bool Chance(int percent) { return Below(100) < percent; }
  template <class T>
  const T& Pick(const std::vector<T>& v) {
    return v[static_cast<std::size_t>(Below(v.size()))];
  }

 private:
  std::mt19937 g_;
};

const std::vector<std::string> kPads = {
    " ", "\t", "\v", "\f", "\x1A", "\xA0", "  ", " \t", "\t\x1A "};
// Blanks the profile functions trim; what else is padded around names must not be.
const std::vector<std::string> kTrimmedPads = {" ", "\t", "\v", "\f", "\x1A", " \t\x1A"};

const std::vector<std::string> kSectionNames = {
    "Main", "main", "MAIN", "Scheme1", "scheme1", "Scheme10", "S", "s", "Key One", "key  one",
    "\xE9t\xE9", "\xC9T\xC9", "\xE9T\xE9", "na\xEFve", "\x8A\x9A", "\x9A\x8A", "\xFF", "\x9F",
    "\x81\x8D\x8F\x90\x9D", "a]b", "[x", "x[", ";c", "#h", "\"q\"", "'s'", "=", "a=b", "\xA0x",
    "x\xA0", "tab\tin", "Section With Spaces", "1", "Sticker0"};
const std::vector<std::string> kKeyNames = {
    "k", "K", "key", "Key", "KEY", "Key One", "key  one", "a", "A", "CurrentStyle", "currentstyle",
    "\xE9", "\xC9", "na\xEFve", "NA\xCFVE", "\x8A", "\x9A", "\xFF", "\x9F", ";semi", "#hash", ";c",
    "[x", "x]", "\"q\"", "'s'", "\xA0k", "k\xA0", "tab\tin", "Name", "name", "x y", "1"};
const std::vector<std::string> kShortValues = {
    "v", "V", "1", "0", "b=c", "a b", "v ; x", "; not a comment", "#x", "[S]", "\xE9\xE8\xFF\x80",
    "\x81\x8D\x8F\x90\x9D", "\xA0", "\xA0v\xA0", "=", "==", "clSkyBlue", "$00123456", "x\ty",
    "\"x\"", "'x'", "\"x'", "'x\"", "\"", "'", "\"\"", "''", "\"a\"b", "a\"", "\"'x'\"", "'\"x\"'",
    "\" in \"", "' in '", "\"\"a\"\"", "\" \"", "\"\t\"", "\"a", "a'"};

std::string RandomText(Rng& r, std::size_t len, bool eightBit) {
  static const std::string ascii =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 _-.,;:#!$%&()*+/<>?@";
  std::string s;
  for (std::size_t i = 0; i < len; ++i) {
    if (eightBit && r.Chance(25))
      s += static_cast<char>(0x80 + r.Below(0x80));
    else
      s += ascii[static_cast<std::size_t>(r.Below(ascii.size()))];
  }
  return s;
}

// Flips the case of a few ASCII letters, or of 8-bit letters (which must not match).
std::string CaseVariant(Rng& r, std::string s) {
  for (char& c : s) {
    unsigned char u = static_cast<unsigned char>(c);
    if (!r.Chance(50)) continue;
    if (u >= 'a' && u <= 'z')
      c = static_cast<char>(u - 32);
    else if (u >= 'A' && u <= 'Z')
      c = static_cast<char>(u + 32);
    else if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
      c = static_cast<char>(u - 32);
    else if (u >= 0xC0 && u <= 0xDE && u != 0xD7)
      c = static_cast<char>(u + 32);
  }
  return s;
}

std::string Pad(Rng& r) { return r.Chance(55) ? "" : r.Pick(kPads); }

std::string LongValue(Rng& r) {
  static const std::vector<std::size_t> lengths = {2040, 2044, 2045, 2046, 2047, 2048, 2049,
                                                   2050, 2100, 3000, 4095, 4096, 5000};
  std::size_t len = r.Pick(lengths);
  std::string v = r.Chance(50) ? std::string(len, 'x') : RandomText(r, len, r.Chance(30));
  switch (r.Below(6)) {
    case 0:
      return "\"" + v.substr(0, len - 2) + "\"";  // the quotes make up the length
    case 1:
      return "\"" + v + "\"";
    case 2:
      return "'" + v.substr(0, len - 2) + "'";
    case 3:
      return "\"" + v;  // unmatched
    case 4:
      return "  " + v + "  ";
    default:
      return v;
  }
}

std::string RandomValue(Rng& r) {
  switch (r.Below(10)) {
    case 0:
      return "";
    case 1:
      return LongValue(r);
    case 2:
      return RandomText(r, 1 + static_cast<std::size_t>(r.Below(20)), true);
    case 3:
      return "\"" + Pad(r) + r.Pick(kShortValues) + Pad(r) + "\"";
    default:
      return r.Pick(kShortValues);
  }
}

struct GeneratedFile {
  std::string bytes;
  std::vector<std::string> sections;  // names used in headers, as written inside the brackets
  std::vector<std::string> keys;      // names used in key lines
  std::vector<std::pair<std::string, std::string>> pairs;  // (section, key) of every key line
  bool emptyHeader = false;  // has a "[]" header, which the profile functions drop
};

// One INI file: its lines, each with its own line end, picked from everything
// a settings file edited by hand (or damaged) may contain.
GeneratedFile RandomFile(Rng& r) {
  GeneratedFile f;
  // A handful of names per file, so that duplicates and case variants are common.
  std::vector<std::string> sections, keys;
  for (int i = 0, n = 1 + r.Below(5); i < n; ++i) {
    std::string name = r.Chance(80)
                           ? r.Pick(kSectionNames)
                           : RandomText(r, 1 + static_cast<std::size_t>(r.Below(12)), true);
    sections.push_back(r.Chance(20) ? CaseVariant(r, name) : name);
  }
  for (int i = 0, n = 1 + r.Below(8); i < n; ++i) {
    std::string name = r.Chance(80)
                           ? r.Pick(kKeyNames)
                           : RandomText(r, 1 + static_cast<std::size_t>(r.Below(12)), true);
    if (r.Chance(3)) name = std::string(2000 + static_cast<std::size_t>(r.Below(200)), 'k');
    keys.push_back(r.Chance(20) ? CaseVariant(r, name) : name);
  }
  f.sections = sections;
  f.keys = keys;

  std::string current;                // the section the lines go to
  const int lineEnds = r.Below(100);  // all CRLF, all LF, all CR or mixed
  std::size_t lines = static_cast<std::size_t>(r.Below(r.Chance(5) ? 200 : 30));
  for (std::size_t i = 0; i < lines; ++i) {
    std::string line;
    int kind = r.Below(100);
    if (kind < 45) {
      const std::string& key = r.Pick(keys);
      line = Pad(r) + key + Pad(r) + "=" + Pad(r) + RandomValue(r) + Pad(r);
      f.pairs.emplace_back(current, key);
    } else if (kind < 60) {
      static const std::vector<std::string> tails = {"",   "",    "",   "",     " junk", "]",
                                                     "x]", " ;c", "=1", "\xA0", " ]"};
      current = r.Pick(sections);
      line = Pad(r) + "[" + Pad(r) + current + Pad(r) + "]" + r.Pick(tails);
    } else if (kind < 67) {
      line = Pad(r) + r.Pick(keys) + Pad(r);  // a key without "="
    } else if (kind < 73) {
      line = (r.Chance(50) ? ";" : "#") + Pad(r) + r.Pick(keys) +
             (r.Chance(50) ? Pad(r) + "=" + Pad(r) + r.Pick(kShortValues) : "");
    } else if (kind < 81) {
      line = Pad(r) + Pad(r);  // a blank line
    } else if (kind < 88) {
      static const std::vector<std::string> odd = {
          "[]",   "[ ]",        "[\t]", "[\x1A]",  "[",     "]",    "[open", "[a]b]", "[[x]]",
          "[x]]", " [ a ] b ]", "=",    " = ",     "=v",    " =v",  "==",    "[x=1",  "[k]=v",
          "x[k]", "\x1A",       "\xA0", "\xA0[S]", "\v[S]", ";[S]", "#[S]"};
      line = r.Pick(odd);
      if (line.size() <= 3 && line.front() == '[' && line.back() == ']') f.emptyHeader = true;
    } else {
      line = RandomText(r, static_cast<std::size_t>(r.Below(40)), true);
    }
    f.bytes += line;
    if (i + 1 == lines && r.Chance(25)) break;  // no final line end
    int end = lineEnds < 40 ? 0 : lineEnds < 55 ? 1 : lineEnds < 65 ? 2 : r.Below(5);
    static const char* const ends[] = {"\r\n", "\n", "\r", "\r\r\n", "\n\r"};
    f.bytes += ends[end];
  }
  // A leading byte order mark would make the text Unicode; this engine reads 8-bit text.
  if (f.bytes.rfind("\xEF\xBB\xBF", 0) == 0 || f.bytes.rfind("\xFF\xFE", 0) == 0 ||
      f.bytes.rfind("\xFE\xFF", 0) == 0)
    f.bytes.insert(0, "\r\n");
  return f;
}

// Names to ask for: the names of the file as they are, trimmed, in other case,
// with blanks around, and names that are not there.
std::string QueryVariant(Rng& r, const std::string& name) {
  switch (r.Below(8)) {
    case 0:
      return CaseVariant(r, name);
    case 1:
      return r.Pick(kTrimmedPads) + name + r.Pick(kTrimmedPads);
    case 2:
      return "\xA0" + name;  // not a blank: must not match
    case 3:
      return name + "x";
    default:
      return name;
  }
}

struct Query {
  std::string section, key;
};

// Half of the queries ask for keys where the file put them, half mix names freely.
std::vector<Query> QueriesFor(Rng& r, const GeneratedFile& f, std::size_t count) {
  std::vector<std::string> sections = f.sections, keys = f.keys;
  sections.push_back("");
  sections.push_back("Missing");
  keys.push_back("");
  keys.push_back("missing");
  std::vector<Query> out;
  for (std::size_t i = 0; i < count; ++i) {
    if (!f.pairs.empty() && r.Chance(50)) {
      const auto& p = r.Pick(f.pairs);
      out.push_back({r.Chance(60) ? p.first : QueryVariant(r, p.first),
                     r.Chance(60) ? p.second : QueryVariant(r, p.second)});
    } else {
      out.push_back({QueryVariant(r, r.Pick(sections)), QueryVariant(r, r.Pick(keys))});
    }
  }
  return out;
}

// ---------------------------------------------------------------------------
// Edits.

using Op = IniOp;

std::string Describe(const std::vector<Op>& ops, std::size_t upTo) {
  std::string s;
  for (std::size_t i = 0; i <= upTo && i < ops.size(); ++i) {
    const Op& op = ops[i];
    if (op.erase)
      s += "  erase [" + Escape(op.section) + "]\n";
    else
      s += "  set [" + Escape(op.section) + "] \"" + Escape(op.key) + "\" = \"" + Escape(op.value) +
           "\"\n";
  }
  return s;
}

const std::vector<std::string> kWriteSections = {
    "Main", "main", " Main ", "\tMAIN", "Scheme1", "SCHEME1", "Scheme2", "\xE9t\xE9", "\xC9t\xC9",
    "", " ", "a]b", "x[", "Sec Tion", "\xA0nb", "\x81\x8D"};
const std::vector<std::string> kWriteKeys = {
    "a", "A", " a ", "\ta\x1A", "Style", "style", "Key One", "KEY ONE", "\xE9", "\xC9", "", ";c",
    "#h", "x\ty", "\xA0k", "Name", "name", "\"q\""};
const std::vector<std::string> kWriteValues = {
    "", "v", "V", " v", "v ", "  lead", "trail  ", "\t x \t", "\x1A", "\x1Az\x1A", "\v\fv\f",
    "\xA0nb\xA0", "\"q\"", "\" q \"", "'s'", "\"", "a=b", "v ; x", "\xE9\xC9\xFF\x80", "  ",
    "clSkyBlue", "$00123456", "[S]", "=x"};

// Names may be anything the program could pass, except line breaks, "=" in a
// key or a key that would read back as a header.
Op RandomOp(Rng& r, const std::vector<std::string>& extraSections,
            const std::vector<std::string>& extraKeys) {
  Op op;
  auto section = [&] {
    return !extraSections.empty() && r.Chance(50) ? QueryVariant(r, r.Pick(extraSections))
                                                  : r.Pick(kWriteSections);
  };
  int kind = r.Below(100);
  if (kind < 15) {
    op.erase = true;
    op.section = kind < 2 ? "Never There" : section();
    return op;
  }
  op.section = section();
  op.key = !extraKeys.empty() && r.Chance(50) ? r.Pick(extraKeys) : r.Pick(kWriteKeys);
  if (r.Chance(15)) op.key = CaseVariant(r, op.key);
  int v = r.Below(100);
  if (v < 5)
    op.value = std::string(static_cast<std::size_t>(2040 + r.Below(1000)), 'w');
  else if (v < 15)
    op.value = RandomText(r, static_cast<std::size_t>(r.Below(12)), true);
  else
    op.value = r.Pick(kWriteValues);
  return op;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\v' ||
                        s.back() == '\f' || s.back() == '\x1A'))
    s.pop_back();
  return s;
}

// A sequence of edits; some repeat an earlier one, as it was or nearly, so that
// edits which change nothing come up often.
std::vector<Op> RandomOps(Rng& r, int count, const std::vector<std::string>& extraSections,
                          const std::vector<std::string>& extraKeys) {
  std::vector<Op> ops;
  for (int i = 0; i < count; ++i) {
    if (!ops.empty() && r.Chance(15)) {
      Op again = r.Pick(ops);
      if (!again.erase) {
        switch (r.Below(4)) {
          case 0:
            again.value = TrimRight(again.value);
            break;
          case 1:
            again.value += " ";
            break;
          case 2:
            again.key = CaseVariant(r, again.key);
            break;
          default:
            break;
        }
      }
      ops.push_back(again);
    } else {
      ops.push_back(RandomOp(r, extraSections, extraKeys));
    }
  }
  return ops;
}

bool ProfileApply(const std::string& path, const Op& op) {
  if (op.erase)
    return WritePrivateProfileStringA(op.section.c_str(), nullptr, nullptr, path.c_str());
  return WritePrivateProfileStringA(op.section.c_str(), op.key.c_str(), op.value.c_str(),
                                    path.c_str());
}

void EngineApply(IniDocument& doc, const Op& op) {
  if (op.erase)
    doc.EraseSection(op.section);
  else
    doc.Set(op.section, op.key, op.value);
}

// Key names that may be used as keys in edits.
bool UsableKey(std::string_view k) {
  std::size_t i = 0;
  while (i < k.size() &&
         (k[i] == ' ' || k[i] == '\t' || k[i] == '\v' || k[i] == '\f' || k[i] == '\x1A'))
    ++i;
  return k.find('=') == std::string_view::npos && (i == k.size() || k[i] != '[');
}

// Up to `most` edits of the sections and keys of a generated file.
std::vector<Op> EditsOf(Rng& r, const GeneratedFile& f, int most) {
  std::vector<std::string> keys;
  for (const std::string& k : f.keys)
    if (UsableKey(k) && k.size() < 100) keys.push_back(k);
  return RandomOps(r, 1 + r.Below(most), f.sections, keys);
}

// A file in the form the profile functions leave: a hostile file after one
// edit of theirs. Only files that another edit leaves as they are qualify.
std::optional<std::string> NormalisedByProfile(Scratch& scratch, const std::string& bytes) {
  std::string path = scratch.NewPath();
  WriteFileBytes(path, bytes);
  auto touch = [&] {
    WritePrivateProfileStringA("Wisplet Normalise", "k", "v", path.c_str());
    WritePrivateProfileStringA("Wisplet Normalise", nullptr, nullptr, path.c_str());
    return FileOrEmpty(path);
  };
  std::string once = touch();
  if (touch() != once) return std::nullopt;
  return once;
}

struct ReadStats {
  std::size_t files = 0, queries = 0, found = 0, mismatches = 0;
  std::string report;
};

// Asks the profile functions (of the file at `path`, which holds `bytes`) and
// the engine's document of it the same questions; the answers must agree.
// `wide`: the names, asked for in the ANSI code page, go to the wide profile
// functions and to the document in UTF-8, as the program asks.
void CompareReads(const std::string& path, const std::string& bytes, const IniDocument& doc,
                  const std::vector<Query>& queries, ReadStats& stats, bool wide = false) {
  ++stats.files;
  bool shown = false;
  for (const Query& q : queries) {
    ++stats.queries;
    auto expected = wide ? ProfileGetWide(path, Utf8OfAnsi(q.section), Utf8OfAnsi(q.key))
                         : ProfileGet(path, q.section, q.key);
    auto actual = wide ? doc.Get(Utf8OfAnsi(q.section), Utf8OfAnsi(q.key)) : doc.Get(q.section, q.key);
    if (expected) ++stats.found;
    if (expected == actual) continue;
    if (stats.mismatches++ < kShownMismatches && !shown) {
      shown = true;
      stats.report += "file: \"" + Escape(bytes) + "\"\n  [" + Escape(q.section) + "] \"" + Escape(q.key) +
                      "\": profile " + Show(expected) + ", engine " + Show(actual) + "\n";
    }
  }
}

struct WriteStats {
  std::size_t sequences = 0, ops = 0, mismatches = 0;
  std::string report;
};

// Runs the same edits through the profile functions (on a file holding `start`)
// and through the engine (parsing `start`); the bytes must agree after every edit.
void CompareEdits(Scratch& scratch, const std::string& start, const std::vector<Op>& ops,
                  WriteStats& stats) {
  std::string path = scratch.NewPath();
  if (!start.empty()) WriteFileBytes(path, start);
  IniDocument doc = IniDocument::Parse(start);
  ++stats.sequences;
  for (std::size_t i = 0; i < ops.size(); ++i) {
    ++stats.ops;
    ProfileApply(path, ops[i]);
    EngineApply(doc, ops[i]);
    std::string expected = FileOrEmpty(path), actual = doc.Serialize();
    if (expected == actual) continue;
    if (stats.mismatches++ < kShownMismatches)
      stats.report += "start: \"" + Escape(start) + "\"\nedits:\n" + Describe(ops, i) +
                      "profile: \"" + Escape(expected) + "\"\nengine:  \"" + Escape(actual) +
                      "\"\n\n";
    return;
  }
}

// The same edits through the profile functions and, as the program makes
// them, through the settings file object in one save: names and values go in
// as UTF-8 and the file keeps its encoding (8-bit text of the ANSI code page
// while what it holds fits). The bytes must agree.
void CompareSave(Scratch& scratch, const std::string& start, const std::vector<Op>& ops, WriteStats& stats) {
  std::string profilePath = scratch.NewPath(), enginePath = scratch.NewPath();
  WriteFileBytes(profilePath, start);
  WriteFileBytes(enginePath, start);
  for (const Op& op : ops) ProfileApply(profilePath, op);
  wisplet::Win32SettingsFile engineFile(enginePath);
  wisplet::TIniFile(engineFile, wisplet::AnsiCodePages()).Update([&](IniDocument& d) {
    for (const Op& op : ops) EngineApply(d, {op.erase, Utf8OfAnsi(op.section), Utf8OfAnsi(op.key), Utf8OfAnsi(op.value)});
  });
  ++stats.sequences;
  stats.ops += ops.size();
  std::string expected = FileOrEmpty(profilePath), actual = FileOrEmpty(enginePath);
  if (expected != actual && stats.mismatches++ < kShownMismatches)
    stats.report += "start: \"" + Escape(start) + "\"\nedits:\n" + Describe(ops, ops.size() - 1) + "profile: \"" +
                    Escape(expected) + "\"\nengine:  \"" + Escape(actual) + "\"\n\n";
}

}  // namespace

// ---------------------------------------------------------------------------

// Rules met while measuring, each pinned with the answer the profile
// functions give; the engine must give it too.
TEST(IniProfile, ReadsTheEdgeCasesAsTheProfileFunctions) {
  Scratch scratch;
  for (const IniReadCase& c : IniReadCases()) {
    SCOPED_TRACE(c.name);
    std::string path = scratch.NewPath();
    WriteFileBytes(path, c.file);
    EXPECT_EQ(Show(ProfileGet(path, c.section, c.key)), Show(c.value)) << "profile functions";
    EXPECT_EQ(Show(IniDocument::Parse(c.file).Get(c.section, c.key)), Show(c.value)) << "engine";
  }
}

// Edits whose result was measured, each pinned with the bytes the profile
// functions leave; the engine must leave the same.
TEST(IniProfile, WritesTheEdgeCasesAsTheProfileFunctions) {
  Scratch scratch;
  for (const IniWriteCase& c : IniWriteCases()) {
    SCOPED_TRACE(c.name);
    std::string path = scratch.NewPath();
    if (!c.start.empty()) WriteFileBytes(path, c.start);
    IniDocument doc = IniDocument::Parse(c.start);
    for (const Op& op : c.ops) {
      ProfileApply(path, op);
      EngineApply(doc, op);
    }
    EXPECT_EQ(Escape(FileOrEmpty(path)), Escape(c.expected)) << "profile functions";
    EXPECT_EQ(Escape(doc.Serialize()), Escape(c.expected)) << "engine";
  }
}

// The engine on the bytes as they are against the 8-bit functions, and the
// program's way (the settings file object in the ANSI code page, UTF-8
// names and values) against the wide ones.
TEST(IniProfile, ReadsGeneratedFilesAsTheProfileFunctions) {
  const std::uint32_t seed = BaseSeed();
  Rng r(seed);
  Scratch scratch;
  ReadStats stats, wide;
  for (int i = 0; i < 2000; ++i) {
    GeneratedFile f = RandomFile(r);
    std::string path = scratch.NewPath();
    WriteFileBytes(path, f.bytes);
    CompareReads(path, f.bytes, IniDocument::Parse(f.bytes), QueriesFor(r, f, 20), stats);
    if (i % 4 == 0) {
      wisplet::Win32SettingsFile file(path);
      CompareReads(path, f.bytes, wisplet::TIniFile(file, wisplet::AnsiCodePages()).Load(), QueriesFor(r, f, 10),
                   wide, /*wide=*/true);
    }
    if (i % 200 == 199) scratch.Clean();
  }
  std::printf("[ IniProfile ] seed %u: %zu files, %zu queries (%zu found), %zu mismatches; "
              "%zu files read as the program reads them, %zu queries (%zu found), %zu mismatches\n",
              seed, stats.files, stats.queries, stats.found, stats.mismatches, wide.files, wide.queries, wide.found,
              wide.mismatches);
  EXPECT_EQ(stats.mismatches, 0u) << stats.report;
  EXPECT_EQ(wide.mismatches, 0u) << wide.report;
  EXPECT_GT(wide.found, wide.queries / 10);
  // The generator must reach both answers often enough to mean something.
  EXPECT_GT(stats.found, stats.queries / 10);
  EXPECT_LT(stats.found, stats.queries);
}

TEST(IniProfile, WritesFromNothingAsTheProfileFunctions) {
  const std::uint32_t seed = BaseSeed() + 1;
  Rng r(seed);
  Scratch scratch;
  WriteStats stats;
  for (int i = 0; i < 400; ++i) {
    std::vector<Op> ops = RandomOps(r, 1 + r.Below(25), {}, {});
    CompareEdits(scratch, "", ops, stats);
    if (i % 100 == 99) scratch.Clean();
  }
  std::printf(
      "[ IniProfile ] seed %u: %zu edit sequences from nothing, %zu edits, %zu mismatches\n", seed,
      stats.sequences, stats.ops, stats.mismatches);
  EXPECT_EQ(stats.mismatches, 0u) << stats.report;
}

// Files already in the profile functions' own form: the engine keeps what it
// does not change, so here the bytes must agree exactly.
TEST(IniProfile, WritesToNormalisedFilesAsTheProfileFunctions) {
  const std::uint32_t seed = BaseSeed() + 2;
  Rng r(seed);
  Scratch scratch;
  WriteStats stats, saves;
  std::size_t notFixed = 0;
  for (int i = 0; i < 400; ++i) {
    GeneratedFile f = RandomFile(r);
    auto start = NormalisedByProfile(scratch, f.bytes);
    if (!start) {
      ++notFixed;
      continue;
    }
    std::vector<Op> ops = EditsOf(r, f, 15);
    CompareEdits(scratch, *start, ops, stats);
    if (i % 4 == 0) CompareSave(scratch, *start, ops, saves);
    if (i % 100 == 99) scratch.Clean();
  }
  std::printf(
      "[ IniProfile ] seed %u: %zu edit sequences on normalised files, %zu edits, "
      "%zu mismatches, %zu files not stable under the profile functions; %zu saved as the program saves, "
      "%zu mismatches\n",
      seed, stats.sequences, stats.ops, stats.mismatches, notFixed, saves.sequences, saves.mismatches);
  EXPECT_EQ(stats.mismatches, 0u) << stats.report;
  EXPECT_EQ(saves.mismatches, 0u) << saves.report;
  EXPECT_GT(stats.sequences, 300u);
}

// Edits on hostile files: the profile functions rewrite the whole file in
// their own form, the engine only the lines it changes, so the bytes differ;
// what the two files say must not. The engine's own answers must also be what
// the profile functions read from the bytes it wrote. Files with a "[]" header
// are left out: the profile functions drop that line and so move its keys into
// the section above, which the engine deliberately does not do.
TEST(IniProfile, EditsOfGeneratedFilesMeanWhatTheProfileFunctionsMake) {
  const std::uint32_t seed = BaseSeed() + 3;
  Rng r(seed);
  Scratch scratch;
  std::size_t files = 0, edits = 0, queries = 0, mismatches = 0;
  std::string report;
  for (int i = 0; i < 300; ++i) {
    GeneratedFile f = RandomFile(r);
    if (f.emptyHeader) continue;
    ++files;
    std::vector<Op> ops = EditsOf(r, f, 10);

    std::string profilePath = scratch.NewPath(), enginePath = scratch.NewPath();
    WriteFileBytes(profilePath, f.bytes);
    IniDocument doc = IniDocument::Parse(f.bytes);
    for (const Op& op : ops) {
      ProfileApply(profilePath, op);
      EngineApply(doc, op);
    }
    edits += ops.size();
    std::string written = doc.Serialize();
    WriteFileBytes(enginePath, written);
    IniDocument reread = IniDocument::Parse(written);

    std::vector<Query> qs = QueriesFor(r, f, 15);
    for (const Op& op : ops) qs.push_back({op.section, op.key});
    bool shown = false;
    for (const Query& q : qs) {
      ++queries;
      auto profile = ProfileGet(profilePath, q.section, q.key);
      auto engineFile = ProfileGet(enginePath, q.section, q.key);
      auto engine = doc.Get(q.section, q.key);
      auto again = reread.Get(q.section, q.key);
      if (profile == engineFile && engine == engineFile && again == engine) continue;
      if (mismatches++ < kShownMismatches && !shown) {
        shown = true;
        report += "file: \"" + Escape(f.bytes) + "\"\nedits:\n" + Describe(ops, ops.size()) +
                  "  [" + Escape(q.section) + "] \"" + Escape(q.key) + "\": profile file " +
                  Show(profile) + ", engine file " + Show(engineFile) + ", engine " + Show(engine) +
                  ", engine file parsed " + Show(again) + "\nengine file: \"" + Escape(written) +
                  "\"\n";
      }
    }
    if (i % 100 == 99) scratch.Clean();
  }
  std::printf(
      "[ IniProfile ] seed %u: %zu hostile files edited, %zu edits, %zu queries, "
      "%zu mismatches\n",
      seed, files, edits, queries, mismatches);
  EXPECT_EQ(mismatches, 0u) << report;
  EXPECT_GT(files, 200u);
}

// A file saved as UTF-8 with a byte order mark: the wide profile functions
// read it as UTF-8, and so does the settings file object, every character kept.
TEST(IniProfile, Utf8FileWithByteOrderMarkReadsAsThroughTheProfileFunctions) {
  Scratch scratch;
  std::string path = scratch.NewPath();
  // "Café" and "€" exist in code page 1252, "ő" does not.
  WriteFileBytes(path,
                 "\xEF\xBB\xBF[Caf\xC3\xA9]\r\nName = Caf\xC3\xA9 \xE2\x82\xAC \r\n"
                 "Other=\xC5\x91\r\n\xC3\xA9t\xC3\xA9=\"\xC3\xA9\"\r\n[Main]\r\nk=v\r\n");
  wisplet::Win32SettingsFile file(path);
  wisplet::TIniFile ini(file, wisplet::AnsiCodePages());
  IniDocument doc = ini.Load();
  // Names in UTF-8 now ("Caf\xE9" in code page 1252 asked before); "\xC3\x89"
  // is the capital of "\xC3\xA9", which names do not match.
  const Query queries[] = {{"Caf\xC3\xA9", "Name"},          {"CAF\xC3\xA9", "name"}, {"Caf\xC3\xA9", "Other"},
                           {"Caf\xC3\xA9", "\xC3\xA9t\xC3\xA9"}, {"Main", "k"},           {"Main", "missing"},
                           {"CAF\xC3\x89", "Name"}};
  for (const Query& q : queries) {
    SCOPED_TRACE("[" + Escape(q.section) + "] " + Escape(q.key));
    EXPECT_EQ(Show(doc.Get(q.section, q.key)), Show(ProfileGetWide(path, q.section, q.key)));
  }
  // Not the default, and no longer "Caf\xE9 \x80" and "?" of the code page:
  // every character as the file holds it.
  EXPECT_EQ(doc.Get("Caf\xC3\xA9", "Name"), "Caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(doc.Get("Caf\xC3\xA9", "Other"), "\xC5\x91");
}

namespace {

// Characters for Unicode files: some the code page holds, some it holds only
// by a nearest letter, some not at all, a pair of surrogates, a lone one and
// blanks of other scripts.
const std::vector<std::wstring> kForeign = {L"\x00E9", L"\x20AC", L"\x0100", L"\x0151", L"\x2603",
                                            L"\x4E2D", L"\xD83D\xDE00", L"\xD800", L"\x3000", L"\x2003",
                                            L"\x00A0", L"\xFEFF"};

// A generated 8-bit file as a Unicode file with foreign characters strewn in.
std::string UnicodeFileOf(Rng& r, const std::string& ansi, wisplet::FileEncoding encoding) {
  std::wstring text(ansi.size(), L'\0');
  text.resize(static_cast<std::size_t>(MultiByteToWideChar(
      CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), text.data(), static_cast<int>(text.size()))));
  for (int i = 0, n = r.Below(6); i < n && !text.empty(); ++i)
    text.insert(static_cast<std::size_t>(r.Below(text.size() + 1)), r.Pick(kForeign));
  std::string bytes;
  switch (encoding) {
    case wisplet::FileEncoding::Utf8: {
      bytes.resize(text.size() * 3);
      bytes.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                                bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr)));
      return "\xEF\xBB\xBF" + bytes;
    }
    case wisplet::FileEncoding::Utf16BE:
      for (wchar_t c : text) bytes += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
      return "\xFE\xFF" + bytes;
    default:
      for (wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
      return "\xFF\xFE" + bytes;
  }
}

}  // namespace

// Files saved as Unicode, UTF-16 either way round or UTF-8, holding characters
// the code page cannot hold: the settings file object reads them as the wide
// profile functions read them, and on files in the profile functions' own
// form its saves leave the very bytes theirs leave, foreign characters
// included. The generated names and values are 8-bit text of the ANSI code
// page; the program's edits take them in UTF-8.
TEST(IniProfile, UnicodeFilesReadAndWrittenAsThroughTheProfileFunctions) {
  const std::uint32_t seed = BaseSeed() + 4;
  Rng r(seed);
  Scratch scratch;
  ReadStats reads;
  WriteStats stats;
  std::size_t notFixed = 0;
  const wisplet::FileEncoding encodings[] = {wisplet::FileEncoding::Utf16LE, wisplet::FileEncoding::Utf16BE,
                                             wisplet::FileEncoding::Utf8};
  for (int i = 0; i < 450; ++i) {
    const wisplet::FileEncoding encoding = encodings[i % 3];
    GeneratedFile f = RandomFile(r);
    std::string bytes = UnicodeFileOf(r, f.bytes, encoding);
    std::string path = scratch.NewPath();
    WriteFileBytes(path, bytes);
    wisplet::Win32SettingsFile file(path);
    CompareReads(path, bytes, wisplet::TIniFile(file, wisplet::AnsiCodePages()).Load(), QueriesFor(r, f, 10), reads,
                 /*wide=*/true);

    // Edits through both, from the same file in the profile functions' form;
    // the engine's make one save, as the program's do.
    auto start = NormalisedByProfile(scratch, bytes);
    if (!start || wisplet::DetectEncoding(*start) != encoding) {
      ++notFixed;
      continue;
    }
    CompareSave(scratch, *start, EditsOf(r, f, 10), stats);
    if (i % 90 == 89) scratch.Clean();
  }
  std::printf("[ IniProfile ] seed %u: %zu Unicode files, %zu queries (%zu found), %zu mismatches; "
              "%zu edit sequences, %zu edits, %zu mismatches, %zu files not stable\n",
              seed, reads.files, reads.queries, reads.found, reads.mismatches, stats.sequences, stats.ops,
              stats.mismatches, notFixed);
  EXPECT_EQ(reads.mismatches, 0u) << reads.report;
  EXPECT_EQ(stats.mismatches, 0u) << stats.report;
  EXPECT_GT(reads.found, reads.queries / 10);
  EXPECT_GT(stats.sequences, 250u);
}
