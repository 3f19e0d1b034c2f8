// Time to load and save the settings file through the program's INI engine
// (one read, one atomic write), for 255 schemes and for 255 notes; under
// Windows or Wine also the same keys through the profile functions, one call
// per key, for comparison.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "storage/settings.h"
#include "storage/stickers.h"

#ifdef _WIN32
#include <windows.h>

#include "storage/win32_settings.h"
#endif

using namespace wisplet;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kCount = 255;

double Milliseconds(const std::function<void()>& work, int repeat = 1) {
  auto start = Clock::now();
  for (int i = 0; i < repeat; ++i) work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / repeat;
}

TListColorScheme MakeSchemes(const std::string& suffix) {
  TListColorScheme list;
  for (int i = 0; i < kCount; ++i) {
    TColorScheme s = DefaultScheme();
    s.Name = "Scheme number " + std::to_string(i) + suffix;
    s.TitleColor = Rgb(i, 255 - i, i / 2);
    s.AlphaBlendValue = static_cast<std::uint8_t>(i % 100);
    s.MemoGradType = static_cast<std::uint8_t>(i % 8);
    list.push_back(s);
  }
  return list;
}

std::vector<StickerRecord> MakeNotes(const std::string& suffix) {
  std::vector<StickerRecord> notes(kCount);
  for (int i = 0; i < kCount; ++i) {
    StickerRecord& r = notes[i];
    r.Title = "Note " + std::to_string(i) + suffix;
    r.Memo = "Buy milk\r\n\r\n  and bread\r\nCall " + std::to_string(i);
    r.ID = "07.12.202621:00:" + std::to_string(i);
    r.Active = i % 3 != 0;
    r.Left = 824 - (i % 4) * 200;
    r.Top = (i % 12) * 50;
    r.Scheme = DefaultScheme();
  }
  return notes;
}

struct Workload {
  const char* name;
  std::function<void(IniDocument&, bool)> write;  // the flag alternates the content
  std::function<void(const IniDocument&)> read;
};

#ifndef _WIN32
// The file through the C++ library, with the same write-then-rename as the program.
class PosixFile : public SettingsFile {
 public:
  explicit PosixFile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const override { return path_; }
  ReadStatus Read(std::string& bytes) override {
    std::ifstream in(path_, std::ios::binary);
    if (!in) return ReadStatus::Missing;
    std::ostringstream s;
    s << in.rdbuf();
    bytes = s.str();
    return ReadStatus::Ok;
  }
  bool Replace(const std::string& bytes) override {
    std::string temp = path_ + ".tmp";
    {
      std::ofstream out(temp, std::ios::binary | std::ios::trunc);
      out << bytes;
      if (!out.flush()) return false;
    }
    return std::rename(temp.c_str(), path_.c_str()) == 0;
  }

 private:
  std::string path_;
};
#else
// Every key of a document, in file order, as (section, key, value).
struct KeyWrite {
  std::string section, key, value;
};
std::vector<KeyWrite> KeysOf(const std::string& text) {
  std::vector<KeyWrite> keys;
  std::string section;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 1 && line.front() == '[') {
      section = line.substr(1, line.size() - 2);
      continue;
    }
    auto eq = line.find('=');
    if (eq != std::string::npos) keys.push_back({section, line.substr(0, eq), line.substr(eq + 1)});
  }
  return keys;
}

void ProfileComparison(const Workload& w, const std::string& folder, double engineSave, double engineLoad) {
  IniDocument doc;
  w.write(doc, false);
  std::vector<KeyWrite> keys = KeysOf(doc.Serialize());
  std::string path = folder + "wisplet-bench-profile.ini";
  DeleteFileA(path.c_str());
  const char* prefix = std::string(w.name) == "schemes" ? "Scheme" : "Sticker";
  double save = Milliseconds([&] {
    for (int n = 0; n < 256; ++n)
      WritePrivateProfileStringA((prefix + std::to_string(n)).c_str(), nullptr, nullptr, path.c_str());
    for (const auto& k : keys)
      WritePrivateProfileStringA(k.section.c_str(), k.key.c_str(), k.value.c_str(), path.c_str());
  });
  double load = Milliseconds([&] {
    char buffer[2048];
    for (const auto& k : keys)
      GetPrivateProfileStringA(k.section.c_str(), k.key.c_str(), "", buffer, sizeof buffer, path.c_str());
  });
  std::printf("  profile functions (%zu keys): save %9.2f ms   load %9.2f ms\n", keys.size(), save, load);
  std::printf("  engine is %.0fx faster to save and %.0fx faster to load\n", save / engineSave,
              load / engineLoad);
  DeleteFileA(path.c_str());
}
#endif

}  // namespace

int main() {
#ifdef _WIN32
  char tempFolder[MAX_PATH] = {};
  GetTempPathA(sizeof tempFolder, tempFolder);
  const std::string folder = tempFolder;
#else
  const std::string folder = "/tmp/";
#endif
  const TListColorScheme schemes[2] = {MakeSchemes(""), MakeSchemes("*")};
  const std::vector<StickerRecord> notes[2] = {MakeNotes(""), MakeNotes("*")};
  const Workload workloads[] = {
      {"schemes", [&](IniDocument& d, bool alt) { WriteSchemes(schemes[alt], d); },
       [](const IniDocument& d) {
         TListColorScheme list;
         LoadSchemes(list, d);
       }},
      {"notes", [&](IniDocument& d, bool alt) { WriteStickers(notes[alt], d); },
       [](const IniDocument& d) { ReadStickers(d); }},
  };
  // Saves and loads of the workload through a file that starts as `initial`
  // (empty: none), printed under `label`. A held file is kept open by another
  // handle that shares reading and writing but not deleting, as a backup
  // client may hold it: every save is then rewritten in place.
  struct Timing {
    double save, load;
  };
  auto measure = [&](const Workload& w, const char* label, const std::string& initial, bool held) {
    std::string path = folder + "wisplet-bench.ini";
    std::remove(path.c_str());
    if (!initial.empty()) std::ofstream(path, std::ios::binary) << initial;
#ifdef _WIN32
    HANDLE holder = held ? CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                         : INVALID_HANDLE_VALUE;
    Win32SettingsFile file(path);
    TIniFile ini(file, AnsiCodePages());
#else
    (void)held;
    PosixFile file(path);
    TIniFile ini(file);
#endif
    int turn = 0;
    // Alternate two contents so that every save really writes the file.
    double save = Milliseconds([&] { ini.Update([&](IniDocument& d) { w.write(d, turn++ % 2); }); }, 20);
    double load = Milliseconds([&] { w.read(ini.Load()); }, 20);
    std::string bytes;
    file.Read(bytes);
    std::printf("  %-36s save %9.2f ms   load %9.2f ms   (%zu bytes)\n", label, save, load, bytes.size());
#ifdef _WIN32
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
#endif
    std::remove(path.c_str());
    return Timing{save, load};
  };
  for (const Workload& w : workloads) {
    std::printf("%d %s\n", kCount, w.name);
    Timing engine = measure(w, "engine:", "", false);
    measure(w, "engine, file saved as UTF-16:", "\xFF\xFE", false);
#ifdef _WIN32
    measure(w, "engine, file held open (in place):", "[Main]\r\n", true);
    ProfileComparison(w, folder, engine.save, engine.load);
#endif
  }
  return 0;
}
