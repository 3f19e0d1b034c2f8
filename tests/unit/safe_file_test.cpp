#include "storage/safe_file.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "model/errors.h"
#include "storage/stickers.h"

using namespace wisplet;
using Result = FileOps::Result;
using ReadStatus = SettingsFile::ReadStatus;

namespace {

const std::string kPath = "C:\\Notes\\Wisplet.ini";
const std::vector<std::string> kRecoveryPaths = RecoveryPaths(kPath, "C:\\Temp\\");
const std::string kOld = "[Main]\r\nCurrentStyle=Default\r\nSchemesCount=0\r\nStickerCount=2\r\n";
const std::string kNew = "[Main]\r\nCurrentStyle=OfficeXP\r\nStickerCount=0\r\n";

// Files in memory; each step can be made to refuse or fail, and a rewrite to
// stop after a number of bytes, as a killed process or a full disk leaves it.
class FakeDisk : public FileOps {
 public:
  std::map<std::string, std::string> files;
  std::map<std::string, Result> replaceResults;  // Ok where absent
  bool rewriteRefused = false;
  std::optional<std::size_t> rewriteCutAt;
  std::set<std::string> filesWhenRewriting;  // what existed when the rewrite began to write

  Result Read(const std::string& path, std::string& bytes) override {
    auto it = files.find(path);
    if (it == files.end()) return Result::Missing;
    bytes = it->second;
    return Result::Ok;
  }
  Result Replace(const std::string& path, const std::string& bytes) override {
    auto it = replaceResults.find(path);
    if (it != replaceResults.end() && it->second != Result::Ok) return it->second;
    files[path] = bytes;
    return Result::Ok;
  }
  Result Rewrite(const std::string& path, const std::string& bytes, const std::function<bool()>& ready) override {
    if (!files.count(path) || rewriteRefused || !ready()) return Result::Refused;
    for (const auto& f : files) filesWhenRewriting.insert(f.first);
    std::string& file = files[path];
    if (rewriteCutAt) {
      std::size_t n = std::min(*rewriteCutAt, bytes.size());
      if (file.size() < n) file.resize(n);
      file.replace(0, n, bytes.substr(0, n));
      return Result::Failed;
    }
    file = bytes;
    return Result::Ok;
  }
  void Remove(const std::string& path) override { files.erase(path); }

  std::set<std::string> RecoveryFiles() const {
    std::set<std::string> found;
    for (const std::string& p : kRecoveryPaths)
      if (files.count(p)) found.insert(p);
    return found;
  }
};

std::string Cut(const std::string& written, const std::string& replaced, std::size_t at) {
  std::string out = replaced;
  if (out.size() < at) out.resize(at);
  return out.replace(0, at, written.substr(0, at));
}

}  // namespace

TEST(SafeSettingsFile, WhichWayASaveTakes) {
  const std::string beside = kRecoveryPaths[0], temp = kRecoveryPaths[1];
  struct Case {
    const char* name;
    std::map<std::string, Result> replaceResults;
    bool rewriteRefused;
    std::optional<std::size_t> cutAt;
    bool saved;
    std::string settings;                  // the settings file afterwards
    std::set<std::string> whileRewriting;  // recovery files present when the rewrite wrote
    std::set<std::string> left;            // recovery files left afterwards
    std::string nextRead;                  // what the next read gives
    ReadStatus nextStatus;
    std::optional<std::string> leftOver = {};  // a recovery file beside it from an earlier cut save
  } cases[] = {
      {"moved over the old file", {}, false, {}, true, kNew, {}, {}, kNew, ReadStatus::Ok},
      {"another program holds it without delete sharing: rewritten in place",
       {{kPath, Result::Refused}}, false, {}, true, kNew, {beside}, {}, kNew, ReadStatus::Ok},
      {"the folder forbids creating files: the recovery file goes to the temporary folder",
       {{kPath, Result::Refused}, {beside, Result::Refused}}, false, {}, true, kNew, {temp}, {}, kNew,
       ReadStatus::Ok},
      {"no recovery file can be made: not rewritten",
       {{kPath, Result::Refused}, {beside, Result::Refused}, {temp, Result::Failed}}, false, {}, false, kOld, {}, {},
       kOld, ReadStatus::Ok},
      {"held without write sharing too: nothing written, no recovery file",
       {{kPath, Result::Refused}}, true, {}, false, kOld, {}, {}, kOld, ReadStatus::Ok},
      {"the rewrite is cut short: the next read takes the recovery file",
       {{kPath, Result::Refused}}, false, 9, false, Cut(kNew, kOld, 9), {beside}, {beside}, kNew,
       ReadStatus::Recovered},
      {"cut short before a byte was written", {{kPath, Result::Refused}}, false, 0, false, kOld, {beside}, {beside},
       kNew, ReadStatus::Recovered},
      {"any other failure (a full disk): no rewrite", {{kPath, Result::Failed}}, false, {}, false, kOld, {}, {}, kOld,
       ReadStatus::Ok},
      {"moved over the old file while an earlier cut save's recovery file lies beside it: it goes", {}, false, {},
       true, kNew, {}, {}, kNew, ReadStatus::Ok, FormatRecovery(kNew + "[Lost]\r\n", kOld)},
  };
  for (const auto& c : cases) {
    FakeDisk disk;
    disk.files[kPath] = kOld;
    disk.replaceResults = c.replaceResults;
    disk.rewriteRefused = c.rewriteRefused;
    disk.rewriteCutAt = c.cutAt;
    if (c.leftOver) disk.files[beside] = *c.leftOver;
    SafeSettingsFile file(disk, kPath, kRecoveryPaths);
    EXPECT_EQ(file.Replace(kNew), c.saved) << c.name;
    EXPECT_EQ(disk.files[kPath], c.settings) << c.name;
    std::set<std::string> whileRewriting;
    for (const std::string& p : disk.filesWhenRewriting)
      if (p != kPath) whileRewriting.insert(p);
    EXPECT_EQ(whileRewriting, c.whileRewriting) << c.name;
    EXPECT_EQ(disk.RecoveryFiles(), c.left) << c.name;
    std::string bytes;
    EXPECT_EQ(file.Read(bytes), c.nextStatus) << c.name;
    EXPECT_EQ(bytes, c.nextRead) << c.name;
  }

  // With no file yet, a folder that forbids creating one fails the save.
  FakeDisk empty;
  empty.replaceResults[kPath] = Result::Refused;
  SafeSettingsFile file(empty, kPath, kRecoveryPaths);
  EXPECT_FALSE(file.Replace(kNew));
  EXPECT_TRUE(empty.files.empty());
}

TEST(SafeSettingsFile, ALeftOverRecoveryFileIsUsedWhenCompleteAndNewer) {
  const std::string longer = kOld + "[Mine]\r\nkept=yes\r\n";  // a rewrite not yet cut to its length
  const std::string record = FormatRecovery(kNew, kOld);
  std::string damagedRecord = record;
  damagedRecord[3] ^= 1;
  std::string uneven = record;
  uneven.replace(uneven.rfind(std::to_string(kOld.size())), std::to_string(kOld.size()).size(),
                 std::to_string(kOld.size() + 1));
  struct Case {
    const char* name;
    std::optional<std::string> settings;
    std::string recovery;
    bool inTemp;
    std::string read;
    ReadStatus status;
  } cases[] = {
      {"the rewrite never began", kOld, record, false, kNew, ReadStatus::Recovered},
      {"cut inside", Cut(kNew, kOld, 20), record, false, kNew, ReadStatus::Recovered},
      {"begun while the settings file was empty, cut inside", kNew.substr(0, 20), FormatRecovery(kNew, ""), false,
       kNew, ReadStatus::Recovered},
      {"written, not yet cut to length", kNew + longer.substr(kNew.size()), FormatRecovery(kNew, longer), false, kNew,
       ReadStatus::Recovered},
      {"no settings file", std::nullopt, record, false, kNew, ReadStatus::Recovered},
      {"in the temporary folder", Cut(kNew, kOld, 5), record, true, kNew, ReadStatus::Recovered},
      {"the rewrite completed: the recovery file only stayed behind", kNew, record, false, kNew, ReadStatus::Ok},
      {"changed since by another hand: the settings file is newer", kOld + "x", record, false, kOld + "x",
       ReadStatus::Ok},
      {"a recovery file cut short", kOld, record.substr(0, record.size() - 3), false, kOld, ReadStatus::Ok},
      {"a recovery file without its last line", kOld, kNew + kOld, false, kOld, ReadStatus::Ok},
      {"a damaged recovery file", kOld, damagedRecord, false, kOld, ReadStatus::Ok},
      {"sizes that do not add up", kOld, uneven, false, kOld, ReadStatus::Ok},
  };
  for (const auto& c : cases) {
    FakeDisk disk;
    if (c.settings) disk.files[kPath] = *c.settings;
    disk.files[kRecoveryPaths[c.inTemp ? 1 : 0]] = c.recovery;
    SafeSettingsFile file(disk, kPath, kRecoveryPaths);
    std::string bytes;
    EXPECT_EQ(file.Read(bytes), c.status) << c.name;
    EXPECT_EQ(bytes, c.read) << c.name;
  }
}

TEST(SafeSettingsFile, RecoveryPathsBesideTheFileAndInTheTemporaryFolder) {
  auto paths = RecoveryPaths("C:\\Notes\\Wisplet.ini", "C:\\Temp\\");
  ASSERT_EQ(paths.size(), 2u);
  EXPECT_EQ(paths[0], "C:\\Notes\\Wisplet.ini.recovery");
  EXPECT_EQ(paths[1].substr(0, 20), "C:\\Temp\\Wisplet.ini.");
  EXPECT_EQ(paths[1].size(), 20u + 16u + 9u);
  EXPECT_EQ(RecoveryPaths("c:\\NOTES\\Wisplet.INI", "C:\\Temp\\")[1].substr(20, 16), paths[1].substr(20, 16));
  EXPECT_NE(RecoveryPaths("C:\\Other\\Wisplet.ini", "C:\\Temp\\")[1], paths[1]);
  EXPECT_EQ(RecoveryPaths("C:\\Notes\\Wisplet.ini", ""), std::vector<std::string>{paths[0]});
}

// A save of the notes cut short and the saves after it, through the settings
// file object: nothing is lost at any point.
TEST(SafeSettingsFile, ASaveCutShortIsFinishedByTheNextOne) {
  FakeDisk disk;
  SafeSettingsFile file(disk, kPath, kRecoveryPaths);
  TIniFile ini(file);
  std::vector<StickerRecord> notes(3);
  for (int i = 0; i < 3; ++i) notes[i].Title = "Note " + std::to_string(i);
  SaveStickers(notes, ini);  // no file yet: created by the move
  ASSERT_EQ(disk.files.count(kPath), 1u);
  disk.replaceResults[kPath] = Result::Refused;  // now held open by another program

  notes.push_back(StickerRecord{});
  for (int line = 0; line < 200; ++line) notes.back().Memo += "line " + std::to_string(line) + "\r\n";
  notes.back().Memo += "last";
  disk.rewriteCutAt = 100;
  EXPECT_THROW(SaveStickers(notes, ini), Error);
  EXPECT_EQ(ReadStickers(ini.Load()), notes);  // what the user saved, from the recovery file

  disk.rewriteCutAt.reset();
  SaveStickers(notes, ini);  // changes nothing, yet writes the file whole
  EXPECT_EQ(ReadStickers(IniDocument::Parse(disk.files[kPath])), notes);
  EXPECT_TRUE(disk.RecoveryFiles().empty());
}
