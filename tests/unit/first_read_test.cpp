#include "storage/first_read.h"

#include <gtest/gtest.h>

using namespace wisplet;
using ReadStatus = SettingsFile::ReadStatus;

namespace {

StickerRecord Note(const std::string& title) {
  StickerRecord r;
  r.Title = title;
  return r;
}

SettingsContent Kept(const std::string& style, TListColorScheme schemes, std::vector<StickerRecord> notes,
                     std::vector<StickerRecord> closed) {
  SettingsContent c{MainSettingDefaults(), std::move(schemes), std::move(notes), std::move(closed)};
  c.Main["CurrentStyle"] = style;
  return c;
}

std::vector<std::string> Titles(const std::vector<StickerRecord>& notes) {
  std::vector<std::string> titles;
  for (const auto& n : notes) titles.push_back(n.Title);
  return titles;
}

}  // namespace

TEST(FirstRead, WhatASaveMayDo) {
  struct Case {
    bool readBefore;
    ReadStatus now;
    SaveStep step;
  } cases[] = {
      {true, ReadStatus::Failed, SaveStep::Write},  // the write itself then reports it
      {false, ReadStatus::Failed, SaveStep::Hold},
      {false, ReadStatus::Ok, SaveStep::TakeInFirst},
      {false, ReadStatus::Recovered, SaveStep::TakeInFirst},
      {false, ReadStatus::Missing, SaveStep::TakeInFirst},  // gone since: nothing in it to lose
  };
  for (const auto& c : cases) EXPECT_EQ(DecideSave(c.readBefore, c.now), c.step) << static_cast<int>(c.now);
}

// The file read late comes first, this run's after it; this run's closed
// notes are the newest; the style is the file's unless chosen in this run.
TEST(FirstRead, TheUnionWithAFileReadLate) {
  TColorScheme mine = DefaultScheme(), theirs = DefaultScheme();
  mine.Name = "Mine";
  theirs.Name = "File";
  const SettingsContent run = Kept("Default", {mine}, {Note("New")}, {Note("Closed now")});
  struct Case {
    bool styleChosen;
    std::size_t fileClosed;  // closed notes in the file
    std::string style;
    std::size_t closed;
  } cases[] = {{false, 1, "OfficeXP", 2}, {true, 1, "Default", 2}, {false, kMaxClosedNotes, "OfficeXP", kMaxClosedNotes}};
  for (const auto& c : cases) {
    const SettingsContent file = Kept("OfficeXP", {theirs}, {Note("Old 1"), Note("Old 2")},
                                      std::vector<StickerRecord>(c.fileClosed, Note("Closed before")));
    const SettingsContent both = UnionWithUnreadFile(file, run, c.styleChosen);
    EXPECT_EQ(both.Main.at("CurrentStyle"), c.style);
    EXPECT_EQ(both.Schemes, (TListColorScheme{theirs, mine}));
    EXPECT_EQ(Titles(both.Notes), (std::vector<std::string>{"Old 1", "Old 2", "New"}));
    ASSERT_EQ(both.Closed.size(), c.closed);
    EXPECT_EQ(both.Closed[0].Title, "Closed now");
    EXPECT_EQ(both.Closed[1].Title, "Closed before");
  }
  // Read from the file as the program writes it.
  IniDocument doc;
  WriteSchemes(run.Schemes, doc);
  WriteStickers(run.Notes, doc);
  WriteClosedStickers(run.Closed, doc);
  EXPECT_EQ(ReadSettingsContent(doc), run);
}
