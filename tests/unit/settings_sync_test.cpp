#include "storage/settings_sync.h"

#include <gtest/gtest.h>

#include "fakes.h"

using namespace wisplet;
using wisplet::testing::MemoryFile;
using Change = SettingsSync::Change;

namespace {

// A file of notes, each its ID and title; "$name" a scheme; "~id" closed.
std::string FileOf(const std::vector<std::string>& items, const std::string& hotkey = "") {
  SettingsContent c;
  c.Main = MainSettingDefaults();
  if (!hotkey.empty()) c.Main["HotkeyNewNote"] = hotkey;
  for (const std::string& item : items) {
    StickerRecord n;
    n.ID = n.Title = item.substr(item[0] == '~');
    if (item[0] == '$') c.Schemes.push_back(TColorScheme{.Name = item.substr(1)});
    else (item[0] == '~' ? c.Closed : c.Notes).push_back(n);
  }
  IniDocument doc;
  WriteSettingsContent(c, doc);
  return doc.Serialize();
}

std::string Titles(const std::vector<StickerRecord>& notes) {
  std::string titles;
  for (const auto& n : notes) titles += (titles.empty() ? "" : " ") + n.Title;
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

  file.bytes = FileOf({"a", "b"}, "Ctrl+Alt+F12");  // another PC: a note and a hotkey
  ASSERT_EQ(sync.Incoming(ours, r), Change::Merged);
  EXPECT_EQ(Titles(r.merged.Notes), "a b");
  EXPECT_EQ(r.merged.Main.at("HotkeyNewNote"), "Ctrl+Alt+F12");

  ours = r.merged;
  ours.Notes.push_back(ours.Notes[0]);
  ours.Notes.back().ID = ours.Notes.back().Title = "c";
  ours.Schemes.push_back(TColorScheme{.Name = "New, not applied"});
  file.bytes = FileOf({"b"}, "Ctrl+Alt+F12");  // and closes a meanwhile
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
}

// Unreadable at start-up: saves hold; the first that reads it puts the
// file's notes first; changes from outside wait for that read.
TEST(SettingsSync, AFileUnreadableAtStartUpIsTakenInByTheFirstSaveThatReadsIt) {
  MemoryFile file(FileOf({"old", "$Theirs"}), true);
  file.readFails = true;
  TIniFile ini(file);
  SettingsSync sync(file, ini);
  EXPECT_FALSE(sync.Start().has_value());
  SettingsContent ours = ReadSettingsContent(IniDocument::Parse(FileOf({"new"})));
  EXPECT_TRUE(sync.Save(ours, kNotesGroup).held);
  file.readFails = false;
  MergeResult r;
  EXPECT_EQ(sync.Incoming(ours, r), Change::None);
  const auto saved = sync.Save(ours, kNotesGroup);
  ASSERT_TRUE(saved.merge && !saved.held);
  EXPECT_EQ(Titles(saved.merge->merged.Notes), "old new");
  EXPECT_EQ(saved.merge->notesOrigin, (std::vector<int>{-1, 0}));
  EXPECT_EQ(saved.merge->merged.Schemes.size(), 1u);
  EXPECT_TRUE(sync.HasRead());
  EXPECT_EQ(Titles(ReadSettingsContent(ini.Load()).Notes), "old new");
}
