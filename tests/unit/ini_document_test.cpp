#include "storage/ini_document.h"

#include <gtest/gtest.h>

using namespace wisplet;

TEST(IniRead, ProfileRules) {
  const std::string file =
      "top=prelude\r\n"
      "[Main]\r\n"
      "  Key One  =  spaced value  \r\n"
      "quoted=\"  keep inner  \"\n"
      "single='x'\r"
      "lone=\"\r\n"
      "mixed=\"a'\r\n"
      "a=b=c\r\n"
      "empty=\r\n"
      "blank=    \r\n"
      ";semi=1\r\n"
      "comment=v ; x\r\n"
      "noequals\r\n"
      "dup=first\r\n"
      "DUP=second\r\n"
      "[main]\r\n"
      "other=hidden by the first section\r\n"
      " [ Spaced ] trailing\r\n"
      "k=spaced header\r\n"
      "[a]b]\r\n"
      "k=nested bracket\r\n"
      "[open\r\n"
      "k2=after open\r\n";
  IniDocument doc = IniDocument::Parse(file);
  struct Case {
    const char* section;
    const char* key;
    std::optional<std::string> value;
  } cases[] = {
      {"", "top", "prelude"},
      {"Main", "key one", "spaced value"},
      {"MAIN", "  Key One ", "spaced value"},
      {"Main", "quoted", "  keep inner  "},
      {"Main", "single", "x"},
      {"Main", "lone", "\""},
      {"Main", "mixed", "\"a'"},
      {"Main", "a", "b=c"},
      {"Main", "empty", ""},
      {"Main", "blank", ""},
      {"Main", ";semi", "1"},
      {"Main", "comment", "v ; x"},
      {"Main", "noequals", std::nullopt},
      {"Main", "dup", "first"},
      {"Main", "other", std::nullopt},
      {"Spaced", "k", "spaced header"},
      {"a]b", "k", "nested bracket"},
      {"a]b", "k2", "after open"},
      {"Missing", "k", std::nullopt},
      {"Main", "missing", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(doc.Get(c.section, c.key), c.value) << c.section << "/" << c.key;
}

TEST(IniRead, ValuesAreCutAt2047Characters) {
  std::string longValue(5000, 'x');
  IniDocument doc = IniDocument::Parse("[S]\r\nk=" + longValue + "\r\nj=" + std::string(2047, 'y') + "\r\n");
  EXPECT_EQ(doc.Get("S", "k")->size(), 2047u);
  EXPECT_EQ(doc.Get("S", "j")->size(), 2047u);
}

TEST(IniRead, EightBitNamesMatchOnlyTheirOwnCase) {
  IniDocument doc = IniDocument::Parse("[\xE9t\xE9]\r\nk=1\r\n");
  EXPECT_EQ(doc.Get("\xE9T\xE9", "K"), "1");
  EXPECT_EQ(doc.Get("\xC9t\xC9", "k"), std::nullopt);
}

TEST(IniWrite, NewFileLooksAsTheProfileFunctionsWriteIt) {
  IniDocument doc;
  doc.Set("S1", "a", "1");
  doc.Set("S1", "b", "2");
  doc.Set("S2", "c", "3");
  doc.Set("S1", "a", "changed");
  EXPECT_EQ(doc.Serialize(), "[S1]\r\na=changed\r\nb=2\r\n[S2]\r\nc=3\r\n");
}

TEST(IniWrite, KeepsWhatItDoesNotChange) {
  const std::string file =
      "; my notes\n"
      "[Main]\n"
      "  Style = old  \n"
      "; end of main\n"
      "\n"
      "[Mine]\n"
      "x = 1\n";
  IniDocument doc = IniDocument::Parse(file);
  doc.Set("main", "style", "  new");
  doc.Set("Main", "Added", "yes");
  EXPECT_EQ(doc.Serialize(),
            "; my notes\r\n[Main]\r\nStyle=new\r\n; end of main\r\nAdded=yes\r\n\r\n[Mine]\r\nx = 1\r\n");
}

TEST(IniWrite, EraseRemovesTheFirstSectionUpToTheNextHeader) {
  IniDocument doc = IniDocument::Parse("[A]\r\na=1\r\n; about B\r\n[B]\r\nb=1\r\n; in B\r\n[b]\r\nb=2\r\n[C]\r\n");
  doc.EraseSection("b");
  EXPECT_EQ(doc.Serialize(), "[A]\r\na=1\r\n; about B\r\n[b]\r\nb=2\r\n[C]\r\n");
  EXPECT_EQ(doc.Get("B", "b"), "2");  // the duplicate now comes first
  doc.EraseSection("B");
  doc.EraseSection("B");
  doc.EraseSection("missing");
  EXPECT_EQ(doc.Serialize(), "[A]\r\na=1\r\n; about B\r\n[C]\r\n");
  doc.Set("B", "new", "1");
  EXPECT_EQ(doc.Serialize(), "[A]\r\na=1\r\n; about B\r\n[C]\r\n[B]\r\nnew=1\r\n");
}

TEST(IniWrite, LineEndsOfEveryKindBecomeCrLf) {
  IniDocument doc = IniDocument::Parse("[A]\ra=1\nb=2\r\nc=3");
  doc.Set("A", "d", "4");
  EXPECT_EQ(doc.Serialize(), "[A]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\n");
}
