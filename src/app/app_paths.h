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

// Names of the single-instance guard's two mutexes.
std::string CheckMutexName(std::string_view title);
std::string InstanceMutexName(std::string_view title);

}  // namespace wisplet
