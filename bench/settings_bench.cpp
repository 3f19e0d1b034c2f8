// Time to load and save a settings file holding 255 schemes, through the
// program's INI engine (one read, one atomic write) and, under Windows or Wine,
// through the profile functions key by key for comparison.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "storage/settings.h"

#ifdef _WIN32
#include <windows.h>

#include "storage/win32_settings.h"
#endif

using namespace wisplet;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kSchemes = 255;

double Milliseconds(const std::function<void()>& work, int repeat = 1) {
  auto start = Clock::now();
  for (int i = 0; i < repeat; ++i) work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / repeat;
}

TListColorScheme MakeSchemes() {
  TListColorScheme list;
  for (int i = 0; i < kSchemes; ++i) {
    TColorScheme s = DefaultScheme();
    s.Name = "Scheme number " + std::to_string(i);
    s.TitleColor = Rgb(i, 255 - i, i / 2);
    s.AlphaBlendValue = static_cast<std::uint8_t>(i % 100);
    s.MemoGradType = static_cast<std::uint8_t>(i % 8);
    list.push_back(s);
  }
  return list;
}

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
#endif

}  // namespace

int main() {
  const TListColorScheme schemes = MakeSchemes();
#ifdef _WIN32
  char folder[MAX_PATH] = {};
  GetTempPathA(sizeof folder, folder);
  std::string path = std::string(folder) + "wisplet-bench.ini";
  DeleteFileA(path.c_str());
  Win32SettingsFile file(path);
#else
  std::string path = "/tmp/wisplet-bench.ini";
  std::remove(path.c_str());
  PosixFile file(path);
#endif
  TIniFile ini(file);

  // Alternate two lists so that every save really changes the file.
  TListColorScheme other = schemes;
  for (auto& s : other) s.Name += "*";
  int turn = 0;
  double save = Milliseconds([&] { SaveSchemes((turn++ % 2) ? other : schemes, ini); }, 20);
  SaveSchemes(schemes, ini);
  TListColorScheme loaded;
  double load = Milliseconds([&] { LoadSchemes(loaded, ini.Load()); }, 20);
  std::printf("engine:  save 255 schemes %8.2f ms   load %8.2f ms   (%zu schemes read back)\n", save,
              load, loaded.size());

#ifdef _WIN32
  // The same work through the profile functions, key by key.
  std::string profilePath = std::string(folder) + "wisplet-bench-profile.ini";
  DeleteFileA(profilePath.c_str());
  auto write = [&](const std::string& section, const char* key, const std::string& value) {
    WritePrivateProfileStringA(section.c_str(), key, value.c_str(), profilePath.c_str());
  };
  double profileSave = Milliseconds([&] {
    for (int n = 0; n < 256; ++n)
      WritePrivateProfileStringA(("Scheme" + std::to_string(n)).c_str(), nullptr, nullptr,
                                 profilePath.c_str());
    write("Main", "SchemesCount", std::to_string(schemes.size()));
    for (std::size_t n = 0; n < schemes.size(); ++n) {
      const auto& s = schemes[n];
      std::string sec = "Scheme" + std::to_string(n);
      write(sec, "Name", s.Name);
      write(sec, "AlphaBlendValue", std::to_string(s.AlphaBlendValue));
      write(sec, "TitleColor", ColorToText(s.TitleColor));
      write(sec, "TitleFontColor", ColorToText(s.TitleFontColor));
      write(sec, "TitleGradColor", ColorToText(s.TitleGradColor));
      write(sec, "TitleGradType", std::to_string(s.TitleGradType));
      write(sec, "MemoColor", ColorToText(s.MemoColor));
      write(sec, "MemoFontColor", ColorToText(s.MemoFontColor));
      write(sec, "MemoGradColor", ColorToText(s.MemoGradColor));
      write(sec, "MemoGradType", std::to_string(s.MemoGradType));
    }
  });
  double profileLoad = Milliseconds([&] {
    char buffer[2048];
    const char* keys[] = {"Name", "AlphaBlendValue", "TitleColor", "TitleFontColor", "TitleGradColor",
                          "TitleGradType", "MemoColor", "MemoFontColor", "MemoGradColor", "MemoGradType"};
    GetPrivateProfileStringA("Main", "SchemesCount", "0", buffer, sizeof buffer, profilePath.c_str());
    for (int n = 0; n < kSchemes; ++n)
      for (const char* key : keys)
        GetPrivateProfileStringA(("Scheme" + std::to_string(n)).c_str(), key, "", buffer,
                                 sizeof buffer, profilePath.c_str());
  });
  std::printf("profile: save 255 schemes %8.2f ms   load %8.2f ms\n", profileSave, profileLoad);
  std::printf("engine is %.0fx faster to save and %.0fx faster to load\n", profileSave / save,
              profileLoad / load);
  DeleteFileA(profilePath.c_str());
  DeleteFileA(path.c_str());
#endif
  return 0;
}
