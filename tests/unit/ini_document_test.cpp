// The INI engine's rules, pinned natively. The answers were measured against
// GetPrivateProfileStringA / WritePrivateProfileStringA under Wine; the shared
// cases of ini_cases.h are also checked by the IniProfile end-to-end suite
// against the real functions.
#include "storage/ini_document.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "ini_cases.h"

using namespace wisplet;
using namespace wisplet_test;

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

void CheckReads(const std::vector<IniReadCase>& cases) {
  for (const IniReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IniDocument::Parse(c.file).Get(c.section, c.key), c.value)
        << "[" << Escape(c.section) << "] " << Escape(c.key);
  }
}

}  // namespace

TEST(IniRead, NamesSectionsAndKeys) { CheckReads(IniReadNameCases()); }

TEST(IniRead, Headers) { CheckReads(IniReadHeaderCases()); }

TEST(IniRead, LineEnds) { CheckReads(IniReadLineEndCases()); }

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
  for (const IniQuoteCase& c : IniQuoteCases()) {
    IniDocument doc = IniDocument::Parse(std::string("[S]\r\nk=") + c.raw + "\r\n");
    EXPECT_EQ(doc.Get("S", "k"), c.value) << Escape(c.raw);
  }
}

// The profile functions are asked with a 2048-byte buffer. A quoted value's
// closing quote still takes a place in it, so a quoted value of exactly 2047
// characters comes back one short.
TEST(IniRead, LongValuesAtTheBufferLimit) {
  for (const IniLongValueCase& c : IniLongValueCases()) {
    IniDocument doc = IniDocument::Parse(FileOf(c));
    const std::string expected = ExpectedOf(c);
    EXPECT_EQ(doc.Get("S", "k"), expected)
        << "\"" << c.open << "\" + " << c.length << " + \"" << c.close << "\"";
  }
  CheckReads(IniReadBufferLimitCases());
}

namespace {

void CheckWrites(const std::vector<IniWriteCase>& cases) {
  for (const IniWriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    IniDocument doc = IniDocument::Parse(c.start);
    for (const IniOp& op : c.ops) {
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
TEST(IniWrite, AsTheProfileFunctionsWrite) { CheckWrites(IniWriteCases()); }

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
