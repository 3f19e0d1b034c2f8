// The INI engine: any bytes parse; any sequence of edits keeps the document
// consistent; what is written reads back, from memory and after a trip
// through the serialized text, which serializes to itself again.
//
// Input: the file's bytes, then optionally a NUL and the bytes that choose the
// edits (real settings files hold no NUL, so they seed the first part).
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "storage/settings.h"

using namespace wisplet;
using namespace wisplet_fuzz;

namespace {

constexpr std::array<const char*, 12> kNames = {
    "Main", "main", " Main ", "Sticker0", "Sticker1", "Scheme0", "", "MemoLine0",
    "StickerCount", "Title", "Name", "k"};

std::string Strip(std::string s, std::string_view unwanted) {
  std::erase_if(s, [&](char c) { return unwanted.find(c) != std::string_view::npos; });
  return s;
}

// A section name: a familiar one or any bytes without a line break.
std::string SectionName(FuzzedDataProvider& in) {
  if (in.ConsumeBool()) return kNames[in.ConsumeIntegralInRange<std::size_t>(0, kNames.size() - 1)];
  return Strip(in.ConsumeRandomLengthString(24), "\r\n");
}

// A key may hold no "=" either, and must not read as a header.
std::string KeyName(FuzzedDataProvider& in) {
  std::string key = Strip(SectionName(in), "=");
  std::size_t first = key.find_first_not_of(" \t\v\f\x1A");
  if (first != std::string::npos && key[first] == '[') key[first] = '(';
  return key;
}

std::string Value(FuzzedDataProvider& in) {
  std::size_t length = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::size_t>(0, 2100) : 16;
  return Strip(in.ConsumeRandomLengthString(length), "\r\n");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::size_t split = bytes.find('\0');
  // An odd first byte: the file's bytes in a code page (ISO 8859-1), whose
  // document turns into UTF-8 text at the first value the code page cannot hold.
  const bool inCodePage = !bytes.empty() && (bytes[0] & 1);
  auto parse = [](std::string_view text, bool codePage) {
    return codePage ? IniDocument::ParseInCodePage(text, Latin1Codec()) : IniDocument::Parse(text);
  };
  IniDocument doc = parse(bytes.substr(0, split), inCodePage);
  std::string_view script = split == std::string_view::npos ? std::string_view() : bytes.substr(split + 1);
  FuzzedDataProvider in(reinterpret_cast<const uint8_t*>(script.data()), script.size());

  std::vector<std::pair<std::string, std::string>> touched;
  while (in.remaining_bytes() > 0 && touched.size() < 64) {
    std::string section = SectionName(in), key = KeyName(in);
    switch (in.ConsumeIntegralInRange(0, 3)) {
      case 0: {  // as the program writes text: whatever it holds reads back
        std::string value = Value(in);
        WriteText(doc, section, key, value);
        FUZZ_CHECK(ReadsBackAs(ReadText(doc, section, key, "<missing>"), value));
        break;
      }
      case 1: {  // a raw value: blanks around it and one pair of quotes go
        std::string value = Value(in);
        doc.Set(section, key, value);
        auto back = doc.Get(section, key);
        FUZZ_CHECK(back.has_value() && back->size() <= value.size());
        break;
      }
      case 2:
        doc.EraseSection(section);
        break;
      default:
        (void)doc.Get(section, key);
        (void)doc.LineCount(section);
        break;
    }
    touched.emplace_back(std::move(section), std::move(key));
  }

  const std::string text = doc.Serialize();
  const IniDocument again = parse(text, doc.InCodePage());
  FUZZ_CHECK(again.Serialize() == text);
  FUZZ_CHECK(again.SectionCount() == doc.SectionCount());
  for (const auto& [section, key] : touched) {
    FUZZ_CHECK(again.Get(section, key) == doc.Get(section, key));
    FUZZ_CHECK(again.HasSection(section) == doc.HasSection(section));
  }
  return 0;
}
