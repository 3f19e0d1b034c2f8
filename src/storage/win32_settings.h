#pragma once
// The settings file and the log-on start entry on Windows.
#include <windows.h>

#include <string>

#include "storage/safe_file.h"
#include "storage/settings.h"

namespace wisplet {

// The steps of a save on Windows files. Reads share the file with other
// readers and writers; a replace writes a temporary file in the same folder,
// flushes it and moves it over the old one.
class Win32FileOps : public FileOps {
 public:
  Result Read(const std::string& path, std::string& bytes) override;
  Result Replace(const std::string& path, const std::string& bytes) override;
  Result Rewrite(const std::string& path, const std::string& bytes,
                 const std::function<bool()>& ready) override;
  void Remove(const std::string& path) override;
};

// The settings file at `path`, with its recovery files beside it or in the
// user's temporary folder.
class Win32SettingsFile : private Win32FileOps, public SafeSettingsFile {
 public:
  explicit Win32SettingsFile(std::string path);
  using SafeSettingsFile::Read;
  using SafeSettingsFile::Replace;
};

// Value "Sticker" of SOFTWARE\Microsoft\Windows\CurrentVersion\Run under
// HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER. Reading asks for read access only,
// so that a standard user can read the machine's key.
class RegistryAutorunStore : public AutorunStore {
 public:
  explicit RegistryAutorunStore(HKEY root) : root_(root) {}
  Status Read(std::string& value) override;
  Status Write(const std::string& value) override;
  Status Delete() override;

 private:
  HKEY root_;
};

// Whether another program holds the file open without sharing it, as a sync
// client or an editor does while it writes: reading it now would only wait.
bool HeldWithoutSharing(const std::string& path);

// The system's ANSI code page for settings files without a byte order mark,
// and the one it used before where that is UTF-8.
CodePages AnsiCodePages();

}  // namespace wisplet
