#include "app/product_info.h"

#include <iterator>

namespace wisplet {
namespace {

std::string Hex4(std::uint16_t value) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text(4, '0');
  for (int i = 3; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
  return text;
}

// The record's strings in the order of kFileInfoKeys.
std::string* Field(TFileInfo& info, std::size_t key) {
  std::string* fields[] = {&info.CompanyName,    &info.FileDescription, &info.FileVersion,
                           &info.InternalName,   &info.LegalCopyright,  &info.LegalTradeMarks,
                           &info.OriginalFilename, &info.ProductName,   &info.ProductVersion,
                           &info.Comments};
  return fields[key];
}

}  // namespace

std::string StringFileInfoPrefix(std::uint16_t language, std::uint16_t codePage) {
  return "\\StringFileInfo\\" + Hex4(language) + Hex4(codePage) + "\\";
}

void ReadFileInfoStrings(const VersionBlock& block, TFileInfo& info) {
  std::uint16_t language = kFallbackLanguage, codePage = kFallbackCodePage;
  if (std::optional<std::uint32_t> translation = block.FirstTranslation()) {
    language = static_cast<std::uint16_t>(*translation & 0xFFFF);
    codePage = static_cast<std::uint16_t>(*translation >> 16);
  }
  const std::string prefix = StringFileInfoPrefix(language, codePage);
  for (std::size_t key = 0; key < std::size(kFileInfoKeys); ++key) {
    if (std::optional<std::string> value = block.Value(prefix + kFileInfoKeys[key])) *Field(info, key) = *value;
  }
}

AboutTexts AboutLabelTexts(const TFileInfo& info) {
  AboutTexts texts;
  texts.FileName = info.InternalName;
  texts.FileVer = "ver." + info.FileVersion + " " + info.FileDescription;
  texts.ProductName = info.ProductName;
  texts.ProductVer = "ver." + info.ProductVersion;
  texts.Copyright = info.LegalCopyright + " " + info.CompanyName;
  return texts;
}

std::string ContactCaption(const std::string& address) { return "Contact us at e-mail: " + address; }

std::string ContactLink(const std::string& address) { return "mailto:" + address; }

}  // namespace wisplet
