#include "app/app_paths.h"

#include <algorithm>

namespace wisplet {
namespace {

std::size_t FileNameStart(std::string_view path) {
  std::size_t slash = path.find_last_of("\\/:");
  return slash == std::string_view::npos ? 0 : slash + 1;
}

}  // namespace

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  std::size_t start = FileNameStart(path);
  std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < start) dot = path.size();
  return std::string(path.substr(0, dot)) + std::string(ext);
}

std::string ExtractFileName(std::string_view path) {
  return std::string(path.substr(FileNameStart(path)));
}

std::string ApplicationTitle(std::string_view exePath,
                             const std::function<std::string(std::string)>& lower) {
  std::string name = ExtractFileName(exePath);
  name = name.substr(0, name.find('.'));
  // The first character is a whole UTF-8 sequence: its lead byte and the
  // continuation bytes after it.
  std::size_t first = name.empty() ? 0 : 1;
  while (first < name.size() && (static_cast<unsigned char>(name[first]) & 0xC0) == 0x80) ++first;
  if (first >= name.size()) return name;
  std::string tail = name.substr(first);
  if (lower) {
    tail = lower(tail);
  } else {
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
  }
  return name.substr(0, first) + tail;
}

std::string AppDataSettingsPath(std::string_view exePath, std::string_view appDataFolder) {
  std::string folder(appDataFolder);
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder + "Wisplet\\" + ExtractFileName(ChangeFileExt(exePath, ".ini"));
}

std::string SettingsFilePath(std::string_view exePath, std::string_view appDataFolder, bool existsBeside,
                             bool existsInAppData, const std::function<bool()>& besideCreatable) {
  std::string beside = ChangeFileExt(exePath, ".ini");
  if (existsBeside || appDataFolder.empty()) return beside;
  // A file in the profile is never left behind for a new, empty one beside
  // the program (as a run as administrator could make).
  if (existsInAppData || !besideCreatable()) return AppDataSettingsPath(exePath, appDataFolder);
  return beside;
}

std::string CheckMutexName(std::string_view title) {
  return std::string(title) + ".OneInstance32.CriticalSection";
}

std::string InstanceMutexName(std::string_view title) {
  return std::string(title) + "OneInstance32.Default";
}

}  // namespace wisplet
