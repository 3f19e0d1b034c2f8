#pragma once
// In-memory stand-ins for the settings file, the registry entry and the
// message boxes.
#include <string>
#include <vector>

#include "storage/settings.h"

namespace wisplet::testing {

class MemoryFile : public SettingsFile {
 public:
  std::string bytes;
  bool exists = false;
  bool readFails = false;
  bool recovered = false;  // read from the recovery file an interrupted save left
  bool writeFails = false;
  int writes = 0;

  explicit MemoryFile(std::string initial = {}, bool present = false)
      : bytes(std::move(initial)), exists(present || !bytes.empty()) {}
  const std::string& Path() const override { return path_; }
  ReadStatus Read(std::string& out) override {
    if (readFails) return ReadStatus::Failed;
    if (!exists) return ReadStatus::Missing;
    out = bytes;
    return recovered ? ReadStatus::Recovered : ReadStatus::Ok;
  }
  bool Replace(const std::string& b) override {
    if (writeFails) return false;
    bytes = b;
    exists = true;
    ++writes;
    return true;
  }

 private:
  std::string path_ = "C:\\Notes\\Wisplet.ini";
};

class FakeAutorun : public AutorunStore {
 public:
  Status status = Status::Ok;  // what opening or reading the key gives
  Status writeStatus = Status::Ok;
  bool present = false;
  std::string value;
  Status Read(std::string& out) override {
    out = present ? value : "";
    return status;
  }
  // A value that cannot be read (not text) can still be written or deleted.
  Status Write(const std::string& v) override {
    if (status == Status::CantOpen) return status;
    if (writeStatus != Status::Ok) return writeStatus;
    present = true;
    value = v;
    return Status::Ok;
  }
  Status Delete() override {
    if (status == Status::CantOpen) return status;
    if (writeStatus != Status::Ok) return writeStatus;
    present = false;
    value.clear();
    return Status::Ok;
  }
};

// The log-on start entry of a program that finds only the machine's Run key:
// the user's own key refuses everything.
inline AutorunEntry MachineKeyOnly(FakeAutorun& machine) {
  static FakeAutorun refused;
  refused.status = AutorunStore::Status::CantOpen;
  return {machine, refused};
}

class RecordingMessages : public MessageSink {
 public:
  std::vector<std::string> shown;
  void ShowError(const std::string& text) override { shown.push_back(text); }
};

}  // namespace wisplet::testing
