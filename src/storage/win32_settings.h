#pragma once
// The settings file and the log-on start entry on Windows.
#include <string>

#include "storage/settings.h"

namespace wisplet {

// Reads the file with sharing for other readers and writers, and replaces it
// through a temporary file in the same folder that is flushed and then moved
// over the old one, so a failed or interrupted save leaves the old file.
class Win32SettingsFile : public SettingsFile {
 public:
  explicit Win32SettingsFile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const override { return path_; }
  ReadStatus Read(std::string& bytes) override;
  bool Replace(const std::string& bytes) override;

 private:
  std::string path_;
};

// Value "Sticker" of HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run.
class RegistryAutorunStore : public AutorunStore {
 public:
  Status Read(std::string& value) override;
  Status Write(const std::string& value) override;
  Status Delete() override;
};

// Conversions between UTF-16 and the ANSI code page.
TextCodec AnsiCodec();

}  // namespace wisplet
