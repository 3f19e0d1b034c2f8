#include "app/product_info_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace wisplet {
namespace {

class LoadedVersionBlock : public VersionBlock {
 public:
  explicit LoadedVersionBlock(std::vector<char>& data) : data_(data) {}

  std::optional<std::uint32_t> FirstTranslation() const override {
    void* entry = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data_.data(), "\\VarFileInfo\\Translation", &entry, &length) || !entry ||
        length < sizeof(std::uint32_t))
      return std::nullopt;
    std::uint32_t translation = 0;
    std::memcpy(&translation, entry, sizeof translation);
    return translation;
  }

  std::optional<std::string> Value(const std::string& subBlock) const override {
    char* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data_.data(), subBlock.c_str(), reinterpret_cast<void**>(&text), &length) || !text)
      return std::nullopt;
    // The length counts characters, the zero included where there is one;
    // the value ends at its zero or at the end of the data, whichever is first.
    const char* end = data_.data() + data_.size();
    std::size_t room = text >= data_.data() && text < end ? static_cast<std::size_t>(end - text) : length;
    return std::string(text, strnlen(text, std::min<std::size_t>(length, room)));
  }

 private:
  std::vector<char>& data_;
};

}  // namespace

void GetFileInfo(const std::string& path, TFileInfo& info) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) return;
  std::vector<char> data(size);
  info.size = static_cast<std::int32_t>(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return;
  ReadFileInfoStrings(LoadedVersionBlock(data), info);
}

}  // namespace wisplet
