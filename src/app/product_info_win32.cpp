#include "app/product_info_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/wide_text.h"

namespace wisplet {
namespace {

class LoadedVersionBlock : public VersionBlock {
 public:
  explicit LoadedVersionBlock(std::vector<char>& data) : data_(data) {}

  std::optional<std::uint32_t> FirstTranslation() const override {
    void* entry = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &entry, &length) || !entry ||
        length < sizeof(std::uint32_t))
      return std::nullopt;
    std::uint32_t translation = 0;
    std::memcpy(&translation, entry, sizeof translation);
    return translation;
  }

  std::optional<std::string> Value(const std::string& subBlock) const override {
    wchar_t* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data_.data(), Wide(subBlock).c_str(), reinterpret_cast<void**>(&text), &length) || !text)
      return std::nullopt;
    // The length counts characters, the zero included where there is one;
    // the value ends at its zero or at the end of the data, whichever is first.
    const char* at = reinterpret_cast<const char*>(text);
    const char* end = data_.data() + data_.size();
    std::size_t room = at >= data_.data() && at < end ? static_cast<std::size_t>(end - at) / sizeof(wchar_t) : length;
    return Utf8(std::wstring_view(text, wcsnlen(text, std::min<std::size_t>(length, room))));
  }

 private:
  std::vector<char>& data_;
};

}  // namespace

void GetFileInfo(const std::string& path, TFileInfo& info) {
  DWORD handle = 0;
  const std::wstring file = Wide(path);
  DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
  if (size == 0) return;
  std::vector<char> data(size);
  info.size = static_cast<std::int32_t>(size);
  if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return;
  ReadFileInfoStrings(LoadedVersionBlock(data), info);
}

}  // namespace wisplet
