#include "storage/stickers.h"

#include <gtest/gtest.h>

#include "fakes.h"

using namespace wisplet;
using namespace wisplet::testing;

TEST(MemoLines, SplitAndJoin) {
  using Lines = std::vector<std::string>;
  struct Case {
    std::string memo;
    Lines lines;
    std::string joined;  // what comes back
  } cases[] = {
      {"", {}, ""},
      {"milk", {"milk"}, "milk"},
      {"milk\r\n\r\n  bread", {"milk", "", "  bread"}, "milk\r\n\r\n  bread"},
      {"a\rb\nc\r\nd", {"a", "b", "c", "d"}, "a\r\nb\r\nc\r\nd"},
      {"ends with a break\r\n", {"ends with a break"}, "ends with a break"},
      {"two breaks\n\n", {"two breaks", ""}, "two breaks\r\n"},
      {"\r\n", {""}, ""},
      {"\n\r", {"", ""}, "\r\n"},
      {">quoted", {">quoted"}, ">quoted"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitMemoLines(c.memo), c.lines) << c.memo;
    EXPECT_EQ(JoinMemoLines(SplitMemoLines(c.memo)), c.joined) << c.memo;
  }
}

TEST(ReadStickers, AMissingSectionGivesTheDefaults) {
  auto notes = ReadStickers(IniDocument::Parse("[Main]\r\nStickerCount=1\r\n[Sticker0]\r\n"));
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0], StickerRecord{});
  EXPECT_EQ(notes[0].Title, "Some Title");
  EXPECT_FALSE(notes[0].Active);
  EXPECT_EQ(notes[0].Scheme.TitleColor, 0x00DCDCDCu);
  EXPECT_EQ(notes[0].Scheme.MemoColor, 0x00F0F0F0u);
  EXPECT_EQ(notes[0].Left, 1);
  EXPECT_EQ(notes[0].Width, 200);
}

TEST(ReadStickers, TheDocumentedBodyLayout) {
  auto notes = ReadStickers(IniDocument::Parse(
      "[Main]\r\nStickerCount=1\r\n[Sticker0]\r\nMemoLineCount=3\r\nMemoLine0=>milk\r\nMemoLine1=>\r\n"
      "MemoLine2=>  bread\r\n"));
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].Memo, "milk\r\n\r\n  bread");
}

TEST(ReadStickers, FirstCharacterDroppedWhateverItIs) {
  auto notes = ReadStickers(IniDocument::Parse(
      "[Main]\r\nStickerCount=1\r\n[Sticker0]\r\nMemoLineCount=4\r\nMemoLine0=xabc\r\nMemoLine1=\r\n"
      "MemoLine2=\xC3\x86t\xC3\xA9\r\nMemoLine3=>>two\r\n"));
  EXPECT_EQ(notes[0].Memo, "abc\r\n\r\nt\xC3\xA9\r\n>two");  // a first character of two bytes goes whole
  // Bytes that are not UTF-8 after the ">" all stay.
  notes = ReadStickers(IniDocument::Parse(
      "[Main]\r\nStickerCount=1\r\n[Sticker0]\r\nMemoLineCount=1\r\nMemoLine0=>\x86\xBFx\r\n"));
  EXPECT_EQ(notes[0].Memo, "\x86\xBFx");
}

TEST(ReadStickers, DamagedCountsAreBounded) {
  EXPECT_TRUE(ReadStickers(IniDocument::Parse("[Main]\r\nStickerCount=-1\r\n")).empty());
  EXPECT_EQ(ReadStickers(IniDocument::Parse("[Main]\r\nStickerCount=99999999\r\n")).size(), 1024u);
  auto notes = ReadStickers(
      IniDocument::Parse("[Main]\r\nStickerCount=1\r\n[Sticker0]\r\nMemoLineCount=2000000000\r\n"));
  EXPECT_EQ(SplitMemoLines(notes[0].Memo).size() + 1, 1024u);  // 1024 empty lines join to 1023 breaks
  notes = ReadStickers(
      IniDocument::Parse("[Main]\r\nStickerCount=1\r\n[Sticker0]\r\nMemoLineCount=-4\r\nTop=abc\r\n"));
  EXPECT_EQ(notes[0].Memo, "");
  EXPECT_EQ(notes[0].Top, 1);
}

// A hand-edited file whose [Sticker0] comes twice, with many blank lines at
// the end of each: the save writes the note into the second section, every
// key above its blank lines. Each key once moved all of them down, so that
// saving a file of a few hundred kilobytes took minutes.
TEST(SaveStickers, ManyBlankLinesBelowTheNewKeysStayWhereTheyAre) {
  constexpr std::size_t kBlank = 100000;
  IniDocument doc = IniDocument::Parse("[Main]\r\nStickerCount=1\r\n[Sticker0]\r\nMemoLineCount=" +
                                       std::to_string(kBlank) + "\r\n" + std::string(kBlank, '\n') +
                                       "[Sticker0]\r\n" + std::string(kBlank, '\n'));
  const auto notes = ReadStickers(doc);
  ASSERT_EQ(notes.size(), 1u);
  WriteStickers(notes, doc);
  std::string blankLines;
  for (std::size_t i = 0; i < kBlank; ++i) blankLines += "\r\n";
  const std::string text = doc.Serialize();
  EXPECT_TRUE(text.ends_with("MemoGradType=0\r\n" + blankLines));
  EXPECT_EQ(ReadInteger(doc, "Sticker0", "MemoLineCount", 0), static_cast<int>(kBlank) - 1);
  EXPECT_EQ(ReadStickers(IniDocument::Parse(text)).size(), 1u);
}

TEST(SaveStickers, RoundTripKeepsEveryField) {
  StickerRecord a;
  a.Title = "  Shopping ";
  a.Memo = "milk  \r\n\r\n>bread\r\n\"quoted\"\r\n\ttab";
  a.ID = "06.12.202623:30:07";
  a.Active = true;
  a.OnTop = true;
  a.MinState = true;
  a.Top = -20;
  a.Left = 824;
  a.Height = 17;
  a.Width = 333;
  a.Scheme = DefaultScheme();
  a.Scheme.AlphaBlendValue = 50;
  StickerRecord b;
  b.Memo = "";
  std::vector<StickerRecord> notes = {a, b, a};
  MemoryFile file;
  TIniFile ini(file);
  SaveStickers(notes, ini);
  EXPECT_EQ(ReadStickers(ini.Load()), notes);
  EXPECT_NE(file.bytes.find("MemoLine2=>>bread\r\n"), std::string::npos);
}

TEST(SaveStickers, RemovingTheMiddleOfThreeRenumbers) {
  std::vector<StickerRecord> notes(3);
  for (int i = 0; i < 3; ++i) notes[i].Title = "Note " + std::to_string(i);
  MemoryFile file;
  TIniFile ini(file);
  SaveStickers(notes, ini);
  notes.erase(notes.begin() + 1);
  SaveStickers(notes, ini);
  IniDocument doc = ini.Load();
  EXPECT_EQ(ReadInteger(doc, "Main", "StickerCount", -1), 2);
  EXPECT_EQ(ReadText(doc, "Sticker1", "Title", ""), "Note 2");
  EXPECT_FALSE(doc.HasSection("Sticker2"));
}

TEST(SaveStickers, KeysInTheirOrder) {
  StickerRecord r;
  r.Memo = "one";
  IniDocument doc;
  WriteStickers({r}, doc);
  EXPECT_EQ(doc.Serialize(),
            "[Main]\r\nStickerCount=1\r\n[Sticker0]\r\nTitle=Some Title\r\nMemoLineCount=1\r\n"
            "MemoLine0=>one\r\nID=\r\nActive=0\r\nOnTop=0\r\nMinState=0\r\nTop=1\r\nLeft=1\r\n"
            "Height=50\r\nWidth=200\r\nName=\r\nAlphaBlendValue=0\r\nTitleColor=$00DCDCDC\r\n"
            "TitleFontColor=clBlack\r\nTitleGradColor=$00DCDCDC\r\nTitleGradType=0\r\n"
            "MemoColor=$00F0F0F0\r\nMemoFontColor=clBlack\r\nMemoGradColor=$00F0F0F0\r\nMemoGradType=0\r\n");
}

TEST(SaveStickers, LongBodiesAndQuoteTitlesSurviveASaveAndALoad) {
  auto lines = [](int count) {
    std::string memo;
    for (int i = 0; i < count; ++i) memo += (i % 7 == 3 ? "" : "line " + std::to_string(i)) + "\r\n";
    return memo + "end";
  };
  std::vector<StickerRecord> notes(4);
  notes[0].Title = "\"\"";
  notes[0].Memo = lines(1500);
  notes[1].Title = "''";
  notes[1].Memo = lines(1024);
  notes[2].Title = "\"";
  notes[2].Memo = lines(3000);
  notes[3].Title = "\"Quoted\"";
  MemoryFile file;
  TIniFile ini(file);
  SaveStickers(notes, ini);
  EXPECT_NE(file.bytes.find("Title=\"\"\"\"\r\nMemoLineCount=1501\r\n"), std::string::npos);
  EXPECT_EQ(ReadStickers(ini.Load()), notes);
  SaveStickers(ReadStickers(ini.Load()), ini);
  EXPECT_EQ(file.writes, 1);  // read back and saved again: nothing changes

  // A damaged count is bounded, and the lines within the bound are read.
  auto damaged = ReadStickers(IniDocument::Parse(
      "[Main]\r\nStickerCount=1\r\n[Sticker0]\r\nMemoLineCount=999999\r\nMemoLine0=>a\r\nMemoLine1000=>b\r\n"));
  auto damagedLines = SplitMemoLines(damaged[0].Memo);
  ASSERT_EQ(damagedLines.size(), 1023u);  // 1024 lines, the empty last one ends the text
  EXPECT_EQ(damagedLines[0], "a");
  EXPECT_EQ(damagedLines[1000], "b");
}

// Notes closed last, kept across restarts in sections that the note loader
// never reads: a file with them loads in an earlier build unchanged, and that
// build's saves leave them where they are.
TEST(ClosedStickers, KeptBesideTheNotesWhereEarlierBuildsDoNotLook) {
  std::vector<StickerRecord> closed;
  for (int i = 0; i < 25; ++i) {
    StickerRecord r;
    r.Title = "Closed " + std::to_string(i);
    r.Memo = "milk\r\n  bread";
    r.Left = i;
    RememberClosed(closed, r);
  }
  ASSERT_EQ(closed.size(), kMaxClosedNotes);
  EXPECT_EQ(closed.front().Title, "Closed 24");  // newest first
  EXPECT_EQ(closed.back().Title, "Closed 5");
  IniDocument doc = IniDocument::Parse("[Main]\r\nStickerCount=1\r\n[Sticker0]\r\nTitle=Open\r\n[Closed30]\r\n");
  WriteClosedStickers(closed, doc);
  EXPECT_FALSE(doc.HasSection("Closed30"));  // stale
  EXPECT_EQ(ReadClosedStickers(doc), closed);
  EXPECT_EQ(ReadText(doc, "Closed0", "MemoLine1", ""), ">  bread");  // the keys of a note
  ASSERT_EQ(ReadStickers(doc).size(), 1u);
  WriteStickers(ReadStickers(doc), doc);  // an earlier build's save
  EXPECT_EQ(ReadClosedStickers(doc), closed);

  struct Case {
    std::string file;
    std::size_t read;
    std::string after;  // once an empty list is written
  } cases[] = {
      {"[Main]\r\nStickerCount=0\r\n", 0, "[Main]\r\nStickerCount=0\r\n"},  // never any: no count
      {"[Main]\r\nClosedCount=1\r\n[Closed0]\r\n[Mine]\r\n", 1, "[Main]\r\nClosedCount=0\r\n[Mine]\r\n"},
      {"[Main]\r\nClosedCount=-4\r\n[Closed0]\r\n", 0, "[Main]\r\nClosedCount=0\r\n"},
      {"[Main]\r\nClosedCount=999999\r\n", kMaxClosedNotes, "[Main]\r\nClosedCount=0\r\n"},
  };
  for (const auto& c : cases) {
    IniDocument d = IniDocument::Parse(c.file);
    EXPECT_EQ(ReadClosedStickers(d).size(), c.read) << c.file;
    WriteClosedStickers({}, d);
    EXPECT_EQ(d.Serialize(), c.after) << c.file;
  }
}
