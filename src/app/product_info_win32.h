#pragma once
// Reads an executable's version resource through the system's version API.
#include <string>

#include "app/product_info.h"

namespace wisplet {

// Fills `info` from the file's version information; a file without any
// leaves the record unchanged.
void GetFileInfo(const std::string& path, TFileInfo& info);

}  // namespace wisplet
