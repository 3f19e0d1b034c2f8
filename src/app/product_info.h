#pragma once
// The executable's version information as the About window shows it: the
// record `TFileInfo`, how its ten strings are read out of a version block, and
// the texts of the window's labels. Portable; the system calls that find and
// load the block are the Win32 shell's (product_info_win32.cpp).
#include <cstdint>
#include <optional>
#include <string>

namespace wisplet {

struct TFileInfo {
  std::int32_t size = 0;  // bytes of version information; set only when there is some
  std::string CompanyName;
  std::string FileDescription;
  std::string FileVersion;
  std::string InternalName;
  std::string LegalCopyright;
  std::string LegalTradeMarks;
  std::string OriginalFilename;
  std::string ProductName;
  std::string ProductVersion;
  std::string Comments;
};

// The keys in the order they are read; "LegalTradeMarks" is asked for with
// this spelling.
inline constexpr const char* kFileInfoKeys[10] = {
    "CompanyName",      "FileDescription", "FileVersion",    "InternalName",
    "LegalCopyright",   "LegalTradeMarks", "OriginalFilename", "ProductName",
    "ProductVersion",   "Comments"};

// The string block read when the block names no translation: US English,
// Windows Latin 1.
inline constexpr std::uint16_t kFallbackLanguage = 0x0409;
inline constexpr std::uint16_t kFallbackCodePage = 0x04E4;

// What reading the strings needs of a loaded version block.
class VersionBlock {
 public:
  virtual ~VersionBlock() = default;
  // The first entry of "\VarFileInfo\Translation": the language in the low
  // 16 bits, the code page in the high 16 bits; nullopt when there is none.
  virtual std::optional<std::uint32_t> FirstTranslation() const = 0;
  // The text at a sub-block path such as "\StringFileInfo\040904E4\FileVersion",
  // up to its terminating zero; nullopt when the path is not in the block.
  virtual std::optional<std::string> Value(const std::string& subBlock) const = 0;
};

// "\StringFileInfo\" + language and code page as four upper-case hexadecimal
// digits each + "\".
std::string StringFileInfoPrefix(std::uint16_t language, std::uint16_t codePage);

// Reads the ten strings from the block's first translation (or the fallback
// block); a key that is not found leaves its string as it was.
void ReadFileInfoStrings(const VersionBlock& block, TFileInfo& info);

// The texts of the About window's labels.
struct AboutTexts {
  std::string FileName;     // LbFileName
  std::string FileVer;      // LbFileVer
  std::string ProductName;  // LbProductName (hidden)
  std::string ProductVer;   // LbProductVer (hidden)
  std::string Copyright;    // LbCopyright
};
AboutTexts AboutLabelTexts(const TFileInfo& info);

// The caption of the mail link and the link itself, for a support address.
std::string ContactCaption(const std::string& address);
std::string ContactLink(const std::string& address);

}  // namespace wisplet
