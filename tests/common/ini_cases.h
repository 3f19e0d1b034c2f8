#pragma once
// INI edge cases with the answers GetPrivateProfileStringA and
// WritePrivateProfileStringA give, measured under Wine (asked with a buffer
// large enough for every value: the program reads values whole). The unit tests check
// the INI engine against them natively; the IniProfile end-to-end suite checks
// both the engine and the real profile functions against the same answers.
// Portable: no Windows headers.
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wisplet_test {

// ---------------------------------------------------------------------------
// Reads: a file, the section and key asked for, and the value the profile
// functions return (nullopt: the default).

struct IniReadCase {
  std::string name;
  std::string file, section, key;
  std::optional<std::string> value;
};

// Names, keys and values: trimming, comments, duplicates and case.
inline std::vector<IniReadCase> IniReadNameCases() {
  return {
      {"prelude", "top=1\r\n[S]\r\n", "", "top", "1"},
      {"prelude query trimmed", "top=1\r\n[S]\r\n", " \t", "top", "1"},
      {"names and values trimmed", "[S]\r\n \t Key One \t= \t spaced value \t\r\n", "s",
       " key one\t", "spaced value"},
      {"vt, ff and 0x1A are blanks", "[S]\r\n\v\f\x1Ak\x1A\f\v=\x1A\vv\f\x1A\r\n", "S", "k", "v"},
      {"vt, ff and 0x1A trimmed in queries", "[S]\r\nk=v\r\n", "\x1AS\v", "\fk\x1A", "v"},
      {"NBSP is not a blank", "[S]\r\n\xA0k=\xA0v\xA0\r\n", "S", "\xA0k", "\xA0v\xA0"},
      {"NBSP key not found trimmed", "[S]\r\n\xA0k=v\r\n", "S", "k", std::nullopt},
      {"0x1C is not a blank", "[S]\r\n\x1Ck=v\r\n", "S", "k", std::nullopt},
      {"0x1A inside a value kept",
       "[S]\r\nk=a\x1A"
       "b\r\n",
       "S", "k",
       "a\x1A"
       "b"},
      {"split at the first =", "[S]\r\na=b=c\r\n", "S", "a", "b=c"},
      {"empty value", "[S]\r\nk=\r\n", "S", "k", ""},
      {"value of blanks", "[S]\r\nk=  \x1A\r\n", "S", "k", ""},
      {"empty key", "[S]\r\n  =v\r\n", "S", "", "v"},
      {"; starts no comment", "[S]\r\n;k=1\r\n", "S", ";k", "1"},
      {"; starts no comment, another key below", "[S]\r\n;k=1\r\nc=v ; x\r\n", "S", ";k", "1"},
      {"# starts no comment", "[S]\r\n#k=1\r\n", "S", "#k", "1"},
      {"text after ; kept", "[S]\r\nc=v ; x\r\n", "S", "c", "v ; x"},
      {"a line without =", "[S]\r\nk\r\n", "S", "k", std::nullopt},
      {"a line without = hides a later key", "[S]\r\n k \r\nk=1\r\n", "S", "k", std::nullopt},
      {"so does a comment without =", "[S]\r\n;c\r\n;c=1\r\n", "S", ";c", std::nullopt},
      {"blank lines hide nothing", "[S]\r\n\r\n \x1A\r\n=v\r\n", "S", "", "v"},
      {"first duplicate key", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},
      {"first duplicate key, asked in the other case", "[S]\r\nk=1\r\nK=2\r\n", "S", "K", "1"},
      {"first duplicate section only", "[S]\r\na=1\r\n[s]\r\nb=2\r\n", "S", "b", std::nullopt},
      {"ASCII case ignored", "[Main]\r\nKey=1\r\n", "mAIN", "kEY", "1"},
      {"8-bit case kept", "[\xE9]\r\nk=1\r\n", "\xC9", "k", std::nullopt},
      {"8-bit key case kept", "[S]\r\n\xE0=1\r\n", "S", "\xC0", std::nullopt},
      {"8-bit bytes round trip", "[\x81\x8D]\r\n\x8F\x90=\x9D\x80\xFF\r\n", "\x81\x8D", "\x8F\x90",
       "\x9D\x80\xFF"},
      {"missing section", "[S]\r\nk=v\r\n", "T", "k", std::nullopt},
      {"missing key", "[S]\r\nk=v\r\n", "S", "j", std::nullopt},
      {"empty file", "", "S", "k", std::nullopt},
      {"long key", "[S]\r\n" + std::string(3000, 'k') + "=v\r\n", "S", std::string(3000, 'k'), "v"},
  };
}

// Section headers.
inline std::vector<IniReadCase> IniReadHeaderCases() {
  return {
      {"blanks around and inside", " \t[ \x1AS\v ] tail\r\nk=1\r\n", "S", "k", "1"},
      {"name up to the last ]", "[a]b]\r\nk=1\r\n", "a]b", "k", "1"},
      {"name from the first [", "[[x]]\r\nk=1\r\n", "[x]", "k", "1"},
      {"text after ] ignored", "[a]b\r\nk=1\r\n", "a", "k", "1"},
      {"= after ] ignored", "[X] = 1\r\nx=1\r\n", "X", "x", "1"},
      {"[ without ] is a line", "[S]\r\n[open\r\nk=1\r\n", "S", "k", "1"},
      {"... and may be a key", "[S]\r\n[x=1\r\n", "S", "[x", "1"},
      {"NBSP before [ is no blank", "[S]\r\n\xA0[T]\r\nk=1\r\n", "S", "k", "1"},
      {"; before [", "[S]\r\n;[T]\r\nk=1\r\n", "S", "k", "1"},
      {"[] is unreachable", "[]\r\nk=1\r\n", "", "k", std::nullopt},
      {"[ ] is unreachable", "p=0\r\n[ ]\r\nk=1\r\n", "", "k", std::nullopt},
      {"[] ends the section above", "[S]\r\n[]\r\nk=1\r\n", "S", "k", std::nullopt},
      {"long header", std::string(1, '[').append(3000, 's').append("]\r\nk=v\r\n"),
       std::string(3000, 's'), "k", "v"},
  };
}

// Line ends.
inline std::vector<IniReadCase> IniReadLineEndCases() {
  return {
      {"CR alone", "[S]\rk=1\r", "S", "k", "1"},
      {"LF alone", "[S]\nk=1", "S", "k", "1"},
      {"LF then CR", "[S]\n\rk=1\n\r", "S", "k", "1"},
      {"CR CR LF", "[S]\r\r\nk=1", "S", "k", "1"},
      {"no final line end", "[S]\r\nk=last", "S", "k", "last"},
      {"mixed", "[S]\rk=1\nj=2\r\ni=3", "S", "j", "2"},
  };
}

// Values around the 2047 characters a 2048-byte buffer holds. They were cut
// there (a quoted value's closing quote taking a place in the buffer); the
// program now reads every value whole, so each row expects the whole value.
inline std::vector<IniReadCase> IniReadBufferLimitCases() {
  const std::string x2046(2046, 'x'), x2047(2047, 'x');
  return {
      {"2047 characters", "[S]\r\nk=" + x2047 + "\r\n", "S", "k", x2047},
      {"2048 characters, whole (once cut)", "[S]\r\nk=" + x2047 + "y\r\n", "S", "k", x2047 + "y"},
      {"quoted 2046", "[S]\r\nk=\"" + x2046 + "\"\r\n", "S", "k", x2046},
      {"quoted 2047, whole (once lost one more)", "[S]\r\nk=\"" + x2047 + "\"\r\n", "S", "k", x2047},
      {"quoted 2048, whole (once cut)", "[S]\r\nk=\"" + x2047 + "y\"\r\n", "S", "k", x2047 + "y"},
      {"single quoted 2047", "[S]\r\nk='" + x2047 + "'\r\n", "S", "k", x2047},
      {"closing quote alone", "[S]\r\nk=" + x2047 + "\"\r\n", "S", "k", x2047 + "\""},
      {"unmatched long quote", "[S]\r\nk=\"" + x2047 + "\r\n", "S", "k", "\"" + x2047},
  };
}

// Quotes around a value: the file is "[S]\r\nk=" + raw + "\r\n", asked for [S] k.
struct IniQuoteCase {
  const char* raw;
  const char* value;
};

inline std::vector<IniQuoteCase> IniQuoteCases() {
  return {
      {"\"a\"", "a"},       {" \" a \" ", " a "}, {"'a'", "a"},         {"\"a\"\t", "a"},
      {"\"\"", ""},         {"''", ""},           {"\"", "\""},         {"'", "'"},
      {"\"a'", "\"a'"},     {"'a\"", "'a\""},     {"\"a\"b", "\"a\"b"}, {"a\"", "a\""},
      {"\"'x'\"", "'x'"},   {"'\"x\"'", "\"x\""}, {"'\"a\"'", "\"a\""}, {"\"\"a\"\"", "\"a\""},
      {"\"\x1A\"", "\x1A"},
  };
}

inline IniReadCase ReadCaseOf(const IniQuoteCase& c) {
  return {std::string("quotes: ") + c.raw, std::string("[S]\r\nk=") + c.raw + "\r\n", "S", "k",
          c.value};
}

// Long values with blanks around, quoted or not: the file is
// "[S]\r\nk=  " + open + length x's + close + "  \r\n", asked for [S] k.
struct IniLongValueCase {
  std::string open, close;
  std::size_t length;    // characters between the quotes
  std::size_t returned;  // characters returned
  bool quoteKept;        // the value returned keeps its quotes (they do not match)
};

// Every value comes back whole: `returned` was at most 2047 (2046 for a
// quoted one) when values were cut as a 2048-byte buffer cuts them.
inline std::vector<IniLongValueCase> IniLongValueCases() {
  return {
      {"", "", 0, 0, false},           {"", "", 2046, 2046, false},
      {"", "", 2047, 2047, false},     {"", "", 2048, 2048, false},
      {"", "", 5000, 5000, false},     {"\"", "\"", 0, 0, false},
      {"\"", "\"", 2045, 2045, false}, {"\"", "\"", 2046, 2046, false},
      {"\"", "\"", 2047, 2047, false}, {"\"", "\"", 2048, 2048, false},
      {"\"", "\"", 2049, 2049, false}, {"\"", "\"", 5000, 5000, false},
      {"'", "'", 2047, 2047, false},   {"'", "'", 2048, 2048, false},
      {"\"", "", 2046, 2047, true},    {"\"", "", 2047, 2048, true},
      {"\"", "'", 2047, 2049, true},   {"", "\"", 2047, 2048, true},
  };
}

inline std::string FileOf(const IniLongValueCase& c) {
  return "[S]\r\nk=  " + c.open + std::string(c.length, 'x') + c.close + "  \r\n";
}

inline std::string ExpectedOf(const IniLongValueCase& c) {
  const std::string text(c.length, 'x');
  return (c.quoteKept ? c.open + text + c.close : text).substr(0, c.returned);
}

inline IniReadCase ReadCaseOf(const IniLongValueCase& c) {
  return {"long value: \"" + c.open + "\" + " + std::to_string(c.length) + " + \"" + c.close + "\"",
          FileOf(c), "S", "k", ExpectedOf(c)};
}

// Every read case above.
inline std::vector<IniReadCase> IniReadCases() {
  std::vector<IniReadCase> all;
  for (auto group :
       {IniReadNameCases(), IniReadHeaderCases(), IniReadLineEndCases(), IniReadBufferLimitCases()})
    for (IniReadCase& c : group) all.push_back(std::move(c));
  for (const IniQuoteCase& c : IniQuoteCases()) all.push_back(ReadCaseOf(c));
  for (const IniLongValueCase& c : IniLongValueCases()) all.push_back(ReadCaseOf(c));
  return all;
}

// ---------------------------------------------------------------------------
// Writes: a file, a sequence of edits, and the bytes the profile functions
// leave.

// WritePrivateProfileStringA(section, key, value), or with a null key: erase
// the section.
struct IniOp {
  bool erase = false;
  std::string section, key, value;
};

inline IniOp SetOp(std::string section, std::string key, std::string value) {
  return {false, std::move(section), std::move(key), std::move(value)};
}
inline IniOp EraseOp(std::string section) { return {true, std::move(section), "", ""}; }

struct IniWriteCase {
  const char* name;
  std::string start;  // "": no file
  std::vector<IniOp> ops;
  std::string expected;
};

// What WritePrivateProfileStringA writes, byte for byte, when it starts from
// nothing or from a file in its own form.
inline std::vector<IniWriteCase> IniWriteCases() {
  const std::string sab = "[S]\r\na=1\r\n";
  return {
      {"new file",
       "",
       {SetOp("S1", "a", "1"), SetOp("S1", "b", "2"), SetOp("S2", "c", "3"),
        SetOp("S1", "a", "changed")},
       "[S1]\r\na=changed\r\nb=2\r\n[S2]\r\nc=3\r\n"},
      {"only leading blanks stripped when written",
       "",
       {SetOp(" S ", " a ", "  v  ")},
       "[S ]\r\na =v  \r\n"},
      {"the next change trims them",
       "",
       {SetOp(" S ", " a ", "  v  "), SetOp("S", "b", "1")},
       "[S]\r\na=v\r\nb=1\r\n"},
      {"... also when it changes that key",
       "",
       {SetOp("S", "a ", "v "), SetOp("S", "a", "w ")},
       "[S]\r\na=w \r\n"},
      {"vt, ff and 0x1A stripped", "", {SetOp("\x1AS", "\vk", "\f\x1Av")}, "[S]\r\nk=v\r\n"},
      {"NBSP kept", "", {SetOp("\xA0S", "\xA0k", "\xA0v")}, "[\xA0S]\r\n\xA0k=\xA0v\r\n"},
      {"the same value changes nothing",
       "",
       {SetOp("S", "a", "v "), SetOp("s", "A", "v")},
       "[S]\r\na=v \r\n"},
      {"values compare with case",
       "",
       {SetOp("S", "a", "v"), SetOp("S", "a", "V")},
       "[S]\r\na=V\r\n"},
      {"quotes are part of the value",
       "",
       {SetOp("S", "a", "v"), SetOp("S", "a", "\"v\"")},
       "[S]\r\na=\"v\"\r\n"},
      {"a changed key keeps its name",
       "[S]\r\nKey One=1\r\n",
       {SetOp("s", "KEY ONE ", "2")},
       "[S]\r\nKey One=2\r\n"},
      {"a line without = is the key",
       "[S]\r\njunk\r\nj2\r\n",
       {SetOp("S", "junk", "")},
       "[S]\r\njunk=\r\nj2\r\n"},
      {"first duplicate key",
       "[S]\r\nk=1\r\nK=2\r\n",
       {SetOp("S", "K", "3")},
       "[S]\r\nk=3\r\nK=2\r\n"},
      {"first duplicate section",
       "[S]\r\na=1\r\n[s]\r\nb=2\r\n",
       {SetOp("S", "c", "3")},
       "[S]\r\na=1\r\nc=3\r\n[s]\r\nb=2\r\n"},
      {"new key after a trailing comment",
       "[S]\r\na=1\r\n;end\r\n[T]\r\n",
       {SetOp("S", "b", "2")},
       "[S]\r\na=1\r\n;end\r\nb=2\r\n[T]\r\n"},
      {"section \"\" is the top of the file",
       sab,
       {SetOp("", "k", "v"), SetOp(" ", "k2", "v")},
       "k=v\r\nk2=v\r\n" + sab},
      {"erase takes the name as it is",
       sab + "[T]\r\n",
       {EraseOp(" S"), EraseOp("S\t"), EraseOp("\x1AT")},
       sab + "[T]\r\n"},
      {"erase ignores ASCII case", sab + "[T]\r\n", {EraseOp("s")}, "[T]\r\n"},
      {"erase the first duplicate only",
       "[A]\r\na=1\r\n;about B\r\n[B]\r\nb=1\r\n[b]\r\nb=2\r\n",
       {EraseOp("b")},
       "[A]\r\na=1\r\n;about B\r\n[b]\r\nb=2\r\n"},
      {"erase \"\" drops the top lines", "k=v\r\n" + sab, {EraseOp("")}, sab},
      {"erase \" \" does not", "k=v\r\n" + sab, {EraseOp(" ")}, "k=v\r\n" + sab},
      {"erase \"\" is a change", "", {SetOp("S", "a", "v "), EraseOp("")}, "[S]\r\na=v\r\n"},
      {"erasing nothing is none", "", {SetOp("S", "a", "v "), EraseOp("T")}, "[S]\r\na=v \r\n"},
      {"erasing an untrimmed name is none",
       "",
       {SetOp("S ", "a", "v "), EraseOp("S ")},
       "[S ]\r\na=v \r\n"},
      {"all erased", "", {SetOp("S", "a", "1"), EraseOp("S")}, ""},
      {"empty key", "", {SetOp("S", "", "v")}, "[S]\r\n=v\r\n"},
      {"blank value", "", {SetOp("S", "a", " \t ")}, "[S]\r\na=\r\n"},
      {"8-bit names keep their case",
       "",
       {SetOp("\xE9", "k", "1"), SetOp("\xC9", "k", "2")},
       "[\xE9]\r\nk=1\r\n[\xC9]\r\nk=2\r\n"},
      {"a new header is found trimmed",
       "",
       {SetOp("S ", "a", "1"), SetOp("s", "b", "2")},
       "[S]\r\na=1\r\nb=2\r\n"},
      {"a section erased and set again goes to the end",
       "[A]\r\n[B]\r\n",
       {EraseOp("A"), SetOp("A", "k", "v")},
       "[B]\r\n[A]\r\nk=v\r\n"},
      {"long values whole",
       "",
       {SetOp("S", "a", std::string(3000, 'w'))},
       "[S]\r\na=" + std::string(3000, 'w') + "\r\n"},
  };
}

}  // namespace wisplet_test
