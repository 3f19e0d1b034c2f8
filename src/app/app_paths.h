#pragma once
// Names derived from the executable's path: the application title and the
// settings and help files beside it.
#include <functional>
#include <string>
#include <string_view>

namespace wisplet {

// Replaces the extension after the last "." of the file name (or appends one).
std::string ChangeFileExt(std::string_view path, std::string_view ext);

// The file name without its folder.
std::string ExtractFileName(std::string_view path);

// The file name cut at its first "." with every character after the first in
// lower case, for example "C:\Tools\WISPLET.exe" gives "Wisplet". Paths are UTF-8.
// `lower` converts the tail; the default converts ASCII letters only.
std::string ApplicationTitle(std::string_view exePath,
                             const std::function<std::string(std::string)>& lower = {});

// Where the settings file is kept. Beside the executable, with its name and
// ".ini", when it exists there; else in the user's application-data folder
// (in a folder "Wisplet") when an earlier run put it there; else beside the
// executable when that folder takes new files (asked only then), and in the
// application-data folder when it refuses them. Without an application-data
// folder, beside the executable all the same.
std::string SettingsFilePath(std::string_view exePath, std::string_view appDataFolder, bool existsBeside,
                             bool existsInAppData, const std::function<bool()>& besideCreatable);
// The settings file's place in the application-data folder.
std::string AppDataSettingsPath(std::string_view exePath, std::string_view appDataFolder);

// Names of the single-instance guard's two mutexes.
std::string CheckMutexName(std::string_view title);
std::string InstanceMutexName(std::string_view title);

}  // namespace wisplet
