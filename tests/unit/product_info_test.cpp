#include "app/product_info.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace wisplet;

namespace {

// A version block held in a map from sub-block path to text.
class FakeBlock : public VersionBlock {
 public:
  std::optional<std::uint32_t> translation;
  std::map<std::string, std::string> values;
  mutable std::vector<std::string> asked;

  std::optional<std::uint32_t> FirstTranslation() const override { return translation; }
  std::optional<std::string> Value(const std::string& subBlock) const override {
    asked.push_back(subBlock);
    auto it = values.find(subBlock);
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
};

}  // namespace

TEST(StringFileInfoPrefix, FourUpperCaseHexDigitsEach) {
  struct Case {
    std::uint16_t language, codePage;
    const char* prefix;
  } cases[] = {
      {0x0409, 0x04E4, "\\StringFileInfo\\040904E4\\"},
      {0x0c0a, 0x04b0, "\\StringFileInfo\\0C0A04B0\\"},
      {0x0000, 0x0000, "\\StringFileInfo\\00000000\\"},
      {0xFFFF, 0xabcd, "\\StringFileInfo\\FFFFABCD\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(StringFileInfoPrefix(c.language, c.codePage), c.prefix);
}

TEST(ReadFileInfoStrings, ReadsTheBlockOfTheFirstTranslationOrTheFallback) {
  struct Case {
    const char* what;
    std::optional<std::uint32_t> translation;
    const char* block;
  } cases[] = {
      {"this build's translation", 0x04E40409u, "040904E4"},
      {"no translation list", std::nullopt, "040904E4"},
      {"Unicode German", 0x04B00407u, "040704B0"},
  };
  for (const auto& c : cases) {
    FakeBlock block;
    block.translation = c.translation;
    const std::string prefix = std::string("\\StringFileInfo\\") + c.block + "\\";
    block.values[prefix + "InternalName"] = "Wisplet";
    block.values[prefix + "FileVersion"] = "1.2.3.4";
    // A key of another block is never read.
    block.values["\\StringFileInfo\\041904E3\\CompanyName"] = "elsewhere";
    TFileInfo info;
    ReadFileInfoStrings(block, info);
    EXPECT_EQ(info.InternalName, "Wisplet") << c.what;
    EXPECT_EQ(info.FileVersion, "1.2.3.4") << c.what;
    EXPECT_EQ(info.CompanyName, "") << c.what;
    ASSERT_EQ(block.asked.size(), 10u) << c.what;
    for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(block.asked[i], prefix + kFileInfoKeys[i]) << c.what;
  }
}

TEST(ReadFileInfoStrings, EachKeyFillsItsOwnFieldAndMissingKeysLeaveTheirs) {
  FakeBlock block;
  const std::string p = "\\StringFileInfo\\040904E4\\";
  const char* keys[] = {"CompanyName",    "FileDescription", "FileVersion", "InternalName",
                        "LegalCopyright", "LegalTradeMarks", "OriginalFilename", "ProductName",
                        "ProductVersion", "Comments"};
  for (const char* key : keys) block.values[p + key] = std::string("v-") + key;
  block.values.erase(p + "Comments");
  TFileInfo info;
  info.Comments = "kept";
  ReadFileInfoStrings(block, info);
  EXPECT_EQ(info.CompanyName, "v-CompanyName");
  EXPECT_EQ(info.FileDescription, "v-FileDescription");
  EXPECT_EQ(info.FileVersion, "v-FileVersion");
  EXPECT_EQ(info.InternalName, "v-InternalName");
  EXPECT_EQ(info.LegalCopyright, "v-LegalCopyright");
  EXPECT_EQ(info.LegalTradeMarks, "v-LegalTradeMarks");
  EXPECT_EQ(info.OriginalFilename, "v-OriginalFilename");
  EXPECT_EQ(info.ProductName, "v-ProductName");
  EXPECT_EQ(info.ProductVersion, "v-ProductVersion");
  EXPECT_EQ(info.Comments, "kept");
  EXPECT_EQ(info.size, 0);  // the size is the caller's to set
}

TEST(AboutLabelTexts, BuiltFromTheRecord) {
  TFileInfo full;
  full.InternalName = "Wisplet";
  full.FileVersion = "1.0.0.1";
  full.ProductName = "Wisplet Desktop Notes";
  full.ProductVersion = "1.0";
  full.LegalCopyright = "Copyright (C) 2026";
  full.CompanyName = "Wisplet Software";
  TFileInfo described = full;
  described.FileDescription = "Notes";
  struct Case {
    const char* what;
    TFileInfo info;
    AboutTexts texts;
  } cases[] = {
      {"this build", full,
       {"Wisplet", "ver.1.0.0.1 ", "Wisplet Desktop Notes", "ver.1.0", "Copyright (C) 2026 Wisplet Software"}},
      {"with a description", described,
       {"Wisplet", "ver.1.0.0.1 Notes", "Wisplet Desktop Notes", "ver.1.0", "Copyright (C) 2026 Wisplet Software"}},
      {"no version resource", TFileInfo{}, {"", "ver. ", "", "ver.", " "}},
  };
  for (const auto& c : cases) {
    AboutTexts t = AboutLabelTexts(c.info);
    EXPECT_EQ(t.FileName, c.texts.FileName) << c.what;
    EXPECT_EQ(t.FileVer, c.texts.FileVer) << c.what;
    EXPECT_EQ(t.ProductName, c.texts.ProductName) << c.what;
    EXPECT_EQ(t.ProductVer, c.texts.ProductVer) << c.what;
    EXPECT_EQ(t.Copyright, c.texts.Copyright) << c.what;
  }
}
