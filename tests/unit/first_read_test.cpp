#include "storage/first_read.h"

#include <gtest/gtest.h>

#include "fakes.h"

using namespace wisplet;
using namespace wisplet::testing;
using ReadStatus = SettingsFile::ReadStatus;

namespace {

StickerRecord Note(const std::string& title) {
  StickerRecord r;
  r.Title = title;
  r.Active = true;
  return r;
}

TColorScheme Scheme(const std::string& name) {
  TColorScheme s = DefaultScheme();
  s.Name = name;
  return s;
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
      {true, ReadStatus::Ok, SaveStep::Write},
      {true, ReadStatus::Failed, SaveStep::Write},  // the write itself then reports it
      {false, ReadStatus::Failed, SaveStep::Hold},
      {false, ReadStatus::Ok, SaveStep::TakeInFirst},
      {false, ReadStatus::Recovered, SaveStep::TakeInFirst},
      {false, ReadStatus::Missing, SaveStep::TakeInFirst},  // gone since: nothing in it to lose
  };
  for (const auto& c : cases)
    EXPECT_EQ(DecideSave(c.readBefore, c.now), c.step) << c.readBefore << " " << static_cast<int>(c.now);
}

TEST(FirstRead, TheUnionPutsTheFilesOwnFirst) {
  KeptSettings file{"OfficeXP", {Scheme("File")}, {Note("Old 1"), Note("Old 2")}, {Note("Closed long ago")}};
  KeptSettings run{"Default", {Scheme("Mine")}, {Note("New")}, {Note("Closed now")}};
  struct Case {
    const char* what;
    bool styleChosen;
    std::size_t fileClosed;  // closed notes in the file
    std::string style;
    std::vector<std::string> closed;
  } cases[] = {
      {"the file's style", false, 1, "OfficeXP", {"Closed now", "Closed long ago"}},
      {"a style chosen in this run", true, 1, "Default", {"Closed now", "Closed long ago"}},
      {"the oldest closed go beyond the limit", false, kMaxClosedNotes, "OfficeXP", {}},
  };
  for (const auto& c : cases) {
    KeptSettings f = file;
    f.closed.assign(c.fileClosed, Note("Closed long ago"));
    KeptSettings both = UnionWithUnreadFile(f, run, c.styleChosen);
    EXPECT_EQ(both.style, c.style) << c.what;
    ASSERT_EQ(both.schemes.size(), 2u);
    EXPECT_EQ(both.schemes[0].Name + " " + both.schemes[1].Name, "File Mine") << c.what;
    EXPECT_EQ(Titles(both.notes), (std::vector<std::string>{"Old 1", "Old 2", "New"})) << c.what;
    ASSERT_EQ(both.closed.size(), std::min(kMaxClosedNotes, c.fileClosed + 1)) << c.what;
    EXPECT_EQ(both.closed.front().Title, "Closed now") << c.what;
    if (!c.closed.empty()) {
      EXPECT_EQ(Titles(both.closed), c.closed) << c.what;
    }
  }
}

// Start-up finds the file held; saves write nothing however often they try;
// once the file can be read, the first save takes its notes in and writes
// them together with the note made meanwhile, and later saves just write.
TEST(FirstRead, AFileUnreadableAtStartUpIsNeverWrittenOverAndItsNotesComeBack) {
  IniDocument stored;
  WriteMainSettings(ProgramState{}, stored);
  WriteSchemes({Scheme("File")}, stored);
  WriteStickers({Note("Old 1"), Note("Old 2")}, stored);
  const std::string original = stored.Serialize();
  MemoryFile file(original);
  file.readFails = true;
  TIniFile ini(file);
  FirstRead read(ini);
  EXPECT_FALSE(read.Start().has_value());
  EXPECT_FALSE(read.Done());

  KeptSettings run{"Default", {Scheme("Mine")}, {Note("New")}, {}};
  auto save = [&] {
    IniDocument doc;
    const SaveStep step = read.BeforeSave(doc);
    if (step == SaveStep::Hold) return step;
    if (step == SaveStep::TakeInFirst) run = UnionWithUnreadFile(ReadKeptSettings(doc), run, false);
    ini.Update([&](IniDocument& d) {
      WriteSchemes(run.schemes, d);
      WriteStickers(run.notes, d);
      WriteClosedStickers(run.closed, d);
    });
    return step;
  };
  EXPECT_EQ(save(), SaveStep::Hold);
  EXPECT_EQ(save(), SaveStep::Hold);
  EXPECT_EQ(file.writes, 0);
  EXPECT_EQ(file.bytes, original);

  file.readFails = false;
  EXPECT_EQ(save(), SaveStep::TakeInFirst);
  EXPECT_TRUE(read.Done());
  KeptSettings written = ReadKeptSettings(IniDocument::Parse(file.bytes));
  EXPECT_EQ(Titles(written.notes), (std::vector<std::string>{"Old 1", "Old 2", "New"}));
  EXPECT_EQ(written.schemes, (TListColorScheme{Scheme("File"), Scheme("Mine")}));
  EXPECT_EQ(written, run);

  run.notes.pop_back();
  file.readFails = true;  // read before: the save does not ask again, the write reports it
  IniDocument unused;
  EXPECT_EQ(read.BeforeSave(unused), SaveStep::Write);
  file.readFails = false;
  save();
  EXPECT_EQ(Titles(ReadKeptSettings(IniDocument::Parse(file.bytes)).notes),
            (std::vector<std::string>{"Old 1", "Old 2"}));

  // A missing file counts as read at start-up: nothing in it can be lost.
  MemoryFile none;
  TIniFile noneIni(none);
  FirstRead fresh(noneIni);
  EXPECT_TRUE(fresh.Start().has_value());
  EXPECT_TRUE(fresh.Done());
}
