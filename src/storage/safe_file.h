#pragma once
// Saving the settings file so that no moment of a save can lose it. A save
// normally moves a new file over the old one. Where the sharing of another
// program's open handle or the folder's rights refuse that, the file is
// rewritten in place, and a recovery file first holds what is being written;
// if the rewrite is cut short, the next read takes the contents from there.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/settings.h"

namespace wisplet {

// The steps a save is made of, each on a whole file.
class FileOps {
 public:
  enum class Result {
    Ok,
    Missing,  // no such file (Read)
    Refused,  // sharing or rights forbid this way; nothing was changed
    Failed,   // anything else; what it leaves is said with each step
  };
  virtual ~FileOps() = default;
  virtual Result Read(const std::string& path, std::string& bytes) = 0;
  // Makes `path` hold `bytes` by moving a new file over it, which takes the
  // old file's attributes and security. Unless Ok, the old file is as it was.
  virtual Result Replace(const std::string& path, const std::string& bytes) = 0;
  // Opens the existing file for writing, then calls `ready`; unless that
  // returns false, writes `bytes` over the file, sets its end and flushes it.
  // Refused when the file cannot be opened or `ready` said no (nothing was
  // changed); Failed when writing went wrong (the file may be cut short).
  virtual Result Rewrite(const std::string& path, const std::string& bytes,
                         const std::function<bool()>& ready) = 0;
  virtual void Remove(const std::string& path) = 0;
};

// A recovery file: the contents being written, the contents they replace and a
// last line that tells the two are complete.
struct Recovery {
  std::string written, replaced;
};
std::string FormatRecovery(std::string_view written, std::string_view replaced);
// nullopt when the file is not a complete recovery file.
std::optional<Recovery> ParseRecovery(std::string_view file);

// Whether a left-over recovery file is newer than the settings file (nullopt:
// missing): true when the settings file holds nothing but, byte for byte, the
// contents replaced and the start of those written, as a rewrite that was cut
// short (or never began) leaves it. A settings file changed since by anyone
// else is newer and wins; one that holds the written contents needs nothing.
bool RecoveryWins(const Recovery& recovery, const std::optional<std::string>& settings);

// Where recovery files of the settings file at `path` go, in order: beside
// it, and (for a folder that forbids creating files) in `tempFolder`, which
// ends with a path separator, under a name made from the whole path; an
// empty `tempFolder` gives only the first.
std::vector<std::string> RecoveryPaths(const std::string& path, const std::string& tempFolder);

class SafeSettingsFile : public SettingsFile {
 public:
  SafeSettingsFile(FileOps& ops, std::string path, std::vector<std::string> recoveryPaths);
  const std::string& Path() const override { return path_; }
  // Recovered when a recovery file wins over the settings file.
  ReadStatus Read(std::string& bytes) override;
  bool Replace(const std::string& bytes) override;

 private:
  bool RewriteInPlace(const std::string& bytes);
  void RemoveRecoveryFiles();

  FileOps& ops_;
  std::string path_;
  std::vector<std::string> recoveryPaths_;
};

}  // namespace wisplet
