#include "storage/settings_sync.h"

#include <gtest/gtest.h>

#include "fakes.h"

using namespace wisplet;
using wisplet::testing::MemoryFile;
using Change = SettingsSync::Change;

namespace {

// A file of notes, each its ID and title; "$name" a scheme; "~id" closed;
// "key=value" a [Main] setting.
std::string FileOf(const std::vector<std::string>& items) {
  SettingsContent c;
  c.Main = MainSettingDefaults();
  for (const std::string& item : items) {
    StickerRecord n;
    n.ID = n.Title = item.substr(item[0] == '~');
    if (auto eq = item.find('='); eq != std::string::npos) c.Main[item.substr(0, eq)] = item.substr(eq + 1);
    else if (item[0] == '$') c.Schemes.push_back(TColorScheme{.Name = item.substr(1)});
    else (item[0] == '~' ? c.Closed : c.Notes).push_back(n);
  }
  IniDocument doc;
  WriteSettingsContent(c, doc);
  return doc.Serialize();
}

// Titles in order; given the merged notes' origins, "+" before a note new to the program.
std::string Titles(const std::vector<StickerRecord>& notes, const std::vector<int>& origin = {}) {
  std::string titles;
  for (std::size_t i = 0; i < notes.size(); ++i) {
    if (i) titles += ' ';
    if (!origin.empty() && origin.at(i) < 0) titles += '+';
    titles += notes[i].Title;
  }
  return titles;
}

}  // namespace

// The path of one run beside another writer: changes from outside merged in
// (its own saves not), saves that keep the other's work and write only their
// groups, a failed write merged again, a file cut short or gone left alone.
TEST(SettingsSync, EveryWriterKeepsItsWork) {
  MemoryFile file(FileOf({"a"}), true);
  TIniFile ini(file);
  SettingsSync sync(file, ini);
  ASSERT_TRUE(sync.Start().has_value());
  SettingsContent ours = ReadSettingsContent(ini.Load());
  MergeResult r;
  EXPECT_EQ(sync.Incoming(ours, r), Change::None);

  file.bytes = FileOf({"a", "b", "HotkeyNewNote=Ctrl+Alt+F12"});  // another PC: a note and a hotkey
  ASSERT_EQ(sync.Incoming(ours, r), Change::Merged);
  EXPECT_EQ(Titles(r.merged.Notes), "a b");
  EXPECT_EQ(r.merged.Main.at("HotkeyNewNote"), "Ctrl+Alt+F12");

  ours = r.merged;
  ours.Notes.push_back(ours.Notes[0]);
  ours.Notes.back().ID = ours.Notes.back().Title = "c";
  ours.Schemes.push_back(TColorScheme{.Name = "New, not applied"});
  file.bytes = FileOf({"b", "HotkeyNewNote=Ctrl+Alt+F12"});  // and closes a meanwhile
  auto saved = sync.Save(ours, kNotesGroup);
  ASSERT_TRUE(saved.merge && saved.error.empty());
  EXPECT_EQ(Titles(saved.merge->merged.Notes), "b c");
  EXPECT_EQ(Titles(saved.merge->merged.Closed), "a");
  EXPECT_EQ(ReadSettingsContent(ini.Load()).Notes, saved.merge->merged.Notes);
  EXPECT_EQ(file.bytes.find("New, not applied"), std::string::npos);  // not a notes group
  EXPECT_NE(file.bytes.find("HotkeyNewNote=Ctrl+Alt+F12"), std::string::npos);
  EXPECT_EQ(sync.Incoming(saved.merge->merged, r), Change::None);  // our own save

  ours = saved.merge->merged;
  file.writeFails = true;
  file.bytes = FileOf({"b", "c", "d", "~a"});
  saved = sync.Save(ours, kAllGroups);
  EXPECT_EQ(saved.error, "Unable to write to C:\\Notes\\Wisplet.ini");
  ASSERT_TRUE(saved.merge);
  EXPECT_EQ(Titles(saved.merge->merged.Notes), "b c d");
  file.writeFails = false;
  saved = sync.Save(saved.merge->merged, kAllGroups);
  EXPECT_EQ(Titles(ReadSettingsContent(ini.Load()).Notes), "b c d");
  EXPECT_NE(file.bytes.find("Name=New, not applied"), std::string::npos);

  const std::string whole = file.bytes;
  file.bytes = whole.substr(0, whole.size() / 2);
  EXPECT_EQ(sync.Incoming(saved.merge->merged, r), Change::Damaged);
  file.exists = false;
  EXPECT_EQ(sync.Incoming(saved.merge->merged, r), Change::None);
  file.readFails = true;
  EXPECT_EQ(sync.Incoming(saved.merge->merged, r), Change::Unreadable);
  // Read before, a save does not hold: it tries, and the write reports it.
  const SettingsContent last = saved.merge->merged;
  saved = sync.Save(last, kAllGroups);
  EXPECT_FALSE(saved.held);
  EXPECT_EQ(saved.error, "Unable to write to C:\\Notes\\Wisplet.ini");
}

// Unreadable at start-up: saves hold and changes from outside wait; the first
// save that reads the file puts its schemes and notes first and this run's
// after them, this run's closed notes being the newest, and keeps the file's
// style unless one was chosen meanwhile. A file gone since has nothing to lose.
TEST(SettingsSync, AFileUnreadableAtStartUpIsTakenInByTheFirstSaveThatReadsIt) {
  const std::string both = "+old1 +old2 new $Theirs $Mine";
  struct Case {
    const char* what;
    bool gone, recovered, styleChosen;
    std::string holds;   // notes ("+" before one new to the program), "$" schemes, the style
    std::size_t closed;  // this run's closed note, then the file's full list cut to fit
  } cases[] = {
      {"read at last", false, false, false, both + " OfficeXP", kMaxClosedNotes},
      {"read from an interrupted save's recovery file", false, true, false, both + " OfficeXP", kMaxClosedNotes},
      {"a style chosen meanwhile stays", false, false, true, both + " Default", kMaxClosedNotes},
      {"gone since", true, false, false, "new $Mine Default", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> items{"old1", "old2", "$Theirs", "CurrentStyle=OfficeXP"};
    items.insert(items.end(), kMaxClosedNotes, "~before");
    MemoryFile file(FileOf(items), true);
    file.readFails = true;
    TIniFile ini(file);
    SettingsSync sync(file, ini);
    EXPECT_FALSE(sync.Start().has_value());
    if (c.styleChosen) sync.MainAppliedWhileUnread();
    const SettingsContent ours = ReadSettingsContent(IniDocument::Parse(FileOf({"new", "$Mine", "~now"})));
    EXPECT_TRUE(sync.Save(ours, kAllGroups).held);
    file.readFails = false;
    file.exists = !c.gone;
    file.recovered = c.recovered;
    MergeResult r;
    EXPECT_EQ(sync.Incoming(ours, r), Change::None);
    const auto saved = sync.Save(ours, kAllGroups);
    ASSERT_TRUE(saved.merge && !saved.held && sync.HasRead());
    const SettingsContent& merged = saved.merge->merged;
    std::string holds = Titles(merged.Notes, saved.merge->notesOrigin), closed = "now";
    for (const auto& s : merged.Schemes) holds += " $" + s.Name;
    EXPECT_EQ(holds + " " + merged.Main.at("CurrentStyle"), c.holds);
    for (std::size_t i = 1; i < c.closed; ++i) closed += " before";
    EXPECT_EQ(Titles(merged.Closed), closed);
    EXPECT_EQ(ReadSettingsContent(ini.Load()), merged);  // the file holds what the program holds
  }
}
