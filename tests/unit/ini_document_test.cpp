// The INI engine's rules, pinned natively. The answers were measured against
// GetPrivateProfileStringA / WritePrivateProfileStringA under Wine; the
// IniProfile end-to-end suite checks the same cases against the real functions.
#include "storage/ini_document.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace wisplet;

namespace {

std::string Escape(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

const std::string x2047(2047, 'x');

struct ReadCase {
  const char* name;
  std::string file, section, key;
  std::optional<std::string> value;
};

void CheckReads(const std::vector<ReadCase>& cases) {
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IniDocument::Parse(c.file).Get(c.section, c.key), c.value)
        << "[" << Escape(c.section) << "] " << Escape(c.key);
  }
}

}  // namespace

TEST(IniRead, NamesSectionsAndKeys) {
  CheckReads({
      {"prelude", "top=1\r\n[S]\r\n", "", "top", "1"},
      {"prelude query trimmed", "top=1\r\n[S]\r\n", " \t", "top", "1"},
      {"names and values trimmed", "[S]\r\n \t Key One \t= \t spaced value \t\r\n", "s",
       " key one\t", "spaced value"},
      {"split at the first =", "[S]\r\na=b=c\r\n", "S", "a", "b=c"},
      {"empty value", "[S]\r\nk=\r\n", "S", "k", ""},
      {"value of blanks", "[S]\r\nk=  \x1A\r\n", "S", "k", ""},
      {"empty key", "[S]\r\n  =v\r\n", "S", "", "v"},
      {"; starts no comment", "[S]\r\n;k=1\r\n", "S", ";k", "1"},
      {"# starts no comment", "[S]\r\n#k=1\r\n", "S", "#k", "1"},
      {"text after ; kept", "[S]\r\nc=v ; x\r\n", "S", "c", "v ; x"},
      {"a line without =", "[S]\r\nk\r\n", "S", "k", std::nullopt},
      {"a line without = hides a later key", "[S]\r\n k \r\nk=1\r\n", "S", "k", std::nullopt},
      {"so does a comment without =", "[S]\r\n;c\r\n;c=1\r\n", "S", ";c", std::nullopt},
      {"blank lines hide nothing", "[S]\r\n\r\n \x1A\r\n=v\r\n", "S", "", "v"},
      {"first duplicate key", "[S]\r\nk=1\r\nK=2\r\n", "S", "K", "1"},
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
  });
}

TEST(IniRead, Headers) {
  CheckReads({
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
  });
}

TEST(IniRead, LineEnds) {
  CheckReads({
      {"CR alone", "[S]\rk=1\r", "S", "k", "1"},
      {"LF alone", "[S]\nk=1", "S", "k", "1"},
      {"LF then CR", "[S]\n\rk=1\n\r", "S", "k", "1"},
      {"CR CR LF", "[S]\r\r\nk=1", "S", "k", "1"},
      {"no final line end", "[S]\r\nk=last", "S", "k", "last"},
      {"mixed", "[S]\rk=1\nj=2\r\ni=3", "S", "j", "2"},
  });
}

// Exactly space, tab, VT, FF and 0x1A are trimmed, around names and values
// in the file and around the names asked for.
TEST(IniRead, BlankCharacters) {
  for (int b = 1; b < 256; ++b) {
    const char c = static_cast<char>(b);
    // Line ends, "=", "[" and quotes have rules of their own.
    if (c == '\r' || c == '\n' || c == '=' || c == '[' || c == '"' || c == '\'' || c == 'k' ||
        c == 'v')
      continue;
    const bool blank = c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
    const std::string pad(1, c);
    SCOPED_TRACE(Escape(pad));
    IniDocument doc =
        IniDocument::Parse("[S]\r\n" + pad + "k" + pad + "=" + pad + "v" + pad + "\r\n");
    EXPECT_EQ(doc.Get("S", "k"), blank ? std::optional<std::string>("v") : std::nullopt);
    EXPECT_EQ(doc.Get("S", pad + "k" + pad), blank ? "v" : pad + "v" + pad);
    IniDocument plain = IniDocument::Parse("[S]\r\nk=v\r\n");
    EXPECT_EQ(plain.Get(pad + "S" + pad, "k").has_value(), blank);
  }
}

TEST(IniRead, Quotes) {
  struct Case {
    const char* raw;
    const char* value;
  } cases[] = {
      {"\"a\"", "a"},     {" \" a \" ", " a "}, {"'a'", "a"},           {"\"a\"\t", "a"},
      {"\"\"", ""},       {"''", ""},           {"\"", "\""},           {"'", "'"},
      {"\"a'", "\"a'"},   {"'a\"", "'a\""},     {"\"a\"b", "\"a\"b"},   {"a\"", "a\""},
      {"\"'x'\"", "'x'"}, {"'\"x\"'", "\"x\""}, {"\"\"a\"\"", "\"a\""}, {"\"\x1A\"", "\x1A"},
  };
  for (const auto& c : cases) {
    IniDocument doc = IniDocument::Parse(std::string("[S]\r\nk=") + c.raw + "\r\n");
    EXPECT_EQ(doc.Get("S", "k"), c.value) << Escape(c.raw);
  }
}

// The profile functions are asked with a 2048-byte buffer. A quoted value's
// closing quote still takes a place in it, so a quoted value of exactly 2047
// characters comes back one short.
TEST(IniRead, LongValuesAtTheBufferLimit) {
  struct Case {
    std::string open, close;
    std::size_t length;    // characters between the quotes
    std::size_t returned;  // characters returned
    bool quoteKept;        // the value returned starts with the opening quote
  } cases[] = {
      {"", "", 0, 0, false},           {"", "", 2046, 2046, false},
      {"", "", 2047, 2047, false},     {"", "", 2048, 2047, false},
      {"", "", 5000, 2047, false},     {"\"", "\"", 0, 0, false},
      {"\"", "\"", 2045, 2045, false}, {"\"", "\"", 2046, 2046, false},
      {"\"", "\"", 2047, 2046, false}, {"\"", "\"", 2048, 2047, false},
      {"\"", "\"", 2049, 2047, false}, {"\"", "\"", 5000, 2047, false},
      {"'", "'", 2047, 2046, false},   {"'", "'", 2048, 2047, false},
      {"\"", "", 2046, 2047, true},    {"\"", "", 2047, 2047, true},
      {"\"", "'", 2047, 2047, true},   {"", "\"", 2047, 2047, false},
  };
  for (const Case& c : cases) {
    const std::string text(c.length, 'x');
    IniDocument doc = IniDocument::Parse("[S]\r\nk=  " + c.open + text + c.close + "  \r\n");
    const std::string expected = (c.quoteKept ? c.open + text : text).substr(0, c.returned);
    EXPECT_EQ(doc.Get("S", "k"), expected)
        << "\"" << c.open << "\" + " << c.length << " + \"" << c.close << "\"";
  }
}

namespace {

struct Op {
  bool erase;
  std::string section, key, value;
};
Op SetOp(std::string s, std::string k, std::string v) { return {false, s, k, v}; }
Op EraseOp(std::string s) { return {true, s, "", ""}; }

struct WriteCase {
  const char* name;
  std::string start;
  std::vector<Op> ops;
  std::string expected;
};

void CheckWrites(const std::vector<WriteCase>& cases) {
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    IniDocument doc = IniDocument::Parse(c.start);
    for (const Op& op : c.ops) {
      if (op.erase)
        doc.EraseSection(op.section);
      else
        doc.Set(op.section, op.key, op.value);
    }
    EXPECT_EQ(Escape(doc.Serialize()), Escape(c.expected));
  }
}

}  // namespace

// What WritePrivateProfileStringA writes, byte for byte, when it starts from
// nothing or from a file in its own form.
TEST(IniWrite, AsTheProfileFunctionsWrite) {
  const std::string sab = "[S]\r\na=1\r\n";
  CheckWrites({
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
  });
}

// Unlike the profile functions, the engine leaves the lines it does not change
// as they are: blank lines, spacing, LF-only line ends (which become CR LF), a
// "[]" line and text after a header's "]".
TEST(IniWrite, KeepsWhatItDoesNotChange) {
  CheckWrites({
      {"spacing, comments and blank lines",
       "; my notes\n[Main]\n  Style = old  \n; end of main\n\n[Mine]\nx = 1\n",
       {SetOp("main", "style", "  new"), SetOp("Main", "Added", "yes")},
       "; my notes\r\n[Main]\r\nStyle=new\r\n; end of main\r\nAdded=yes\r\n\r\n[Mine]\r\nx = "
       "1\r\n"},
      {"an unchanged value keeps its spacing",
       "[S]\r\n  k  =  v  \r\n",
       {SetOp("s", "K", "v")},
       "[S]\r\n  k  =  v  \r\n"},
      {"a new key goes above trailing blank lines",
       "[A]\r\na=1\r\n\r\n \t\r\n[B]\r\n",
       {SetOp("A", "b", "2")},
       "[A]\r\na=1\r\nb=2\r\n\r\n \t\r\n[B]\r\n"},
      {"a [] line stays",
       "[A]\r\n[]\r\nk=1\r\n",
       {SetOp("A", "b", "2")},
       "[A]\r\nb=2\r\n[]\r\nk=1\r\n"},
      {"header text kept", " [ A ] note\r\n", {SetOp("A", "b", "2")}, " [ A ] note\r\nb=2\r\n"},
      {"line ends of every kind become CR LF",
       "[A]\ra=1\nb=2\r\nc=3",
       {SetOp("A", "d", "4")},
       "[A]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\n"},
      {"LF then CR leaves a blank line", "[A]\n\ra=1", {}, "[A]\r\n\r\na=1\r\n"},
      {"a key before a blank-only prelude line",
       "\r\n[S]\r\n",
       {SetOp("", "k", "v")},
       "k=v\r\n\r\n[S]\r\n"},
  });
}

TEST(IniDocument, SectionsCountedAndFound) {
  IniDocument doc = IniDocument::Parse("top=1\r\n[A]\r\na=1\r\n;c\r\n[b]\r\n[B]\r\nx=1\r\n");
  struct Case {
    const char* section;
    bool present;
    std::size_t lines;
  } cases[] = {{"", true, 1}, {"A", true, 2}, {" a ", true, 2}, {"B", true, 0}, {"C", false, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(doc.HasSection(c.section), c.present) << c.section;
    EXPECT_EQ(doc.LineCount(c.section), c.lines) << c.section;
  }
  EXPECT_EQ(doc.SectionCount(), 3u);
  doc.EraseSection("B");
  EXPECT_EQ(doc.SectionCount(), 2u);
  EXPECT_EQ(doc.LineCount("B"), 1u);  // the second [B] now answers
  doc.EraseSection("");
  EXPECT_TRUE(doc.HasSection(""));  // the top of the file is always there
  EXPECT_EQ(doc.LineCount(""), 0u);
  EXPECT_EQ(doc.SectionCount(), 2u);
}

// Reading back what was written gives what was set, once the profile
// functions' trimming and quote rule are applied.
TEST(IniDocument, SetThenGet) {
  struct Case {
    const char* value;
    std::optional<std::string> read;
  } cases[] = {{"v", "v"},         {"  v  ", "v"}, {"", ""},       {"\"q\"", "q"},
               {"\" q \"", " q "}, {"'", "'"},     {"a=b", "a=b"}, {"\xE9\xFF", "\xE9\xFF"}};
  for (const auto& c : cases) {
    IniDocument doc;
    doc.Set("S", "k", c.value);
    EXPECT_EQ(doc.Get("S", "k"), c.read) << Escape(c.value);
    EXPECT_EQ(IniDocument::Parse(doc.Serialize()).Get("S", "k"), c.read) << Escape(c.value);
  }
}
