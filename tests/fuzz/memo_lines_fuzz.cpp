// The body lines of a note: any text splits into lines without line breaks
// that join to the text with its breaks made CR LF and a final break dropped,
// and a note's body comes back from the file as it was joined.
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "storage/stickers.h"

using namespace wisplet;
using namespace wisplet_fuzz;

namespace {

// The text as it comes back: every CR LF, lone CR and lone LF a CR LF, and a
// break at the very end dropped.
std::string Normalized(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\r\n";
    } else {
      out += text[i];
    }
  }
  if (out.size() >= 2 && out.compare(out.size() - 2, 2, "\r\n") == 0) out.resize(out.size() - 2);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StickerRecord note;
  note.Memo.assign(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = SplitMemoLines(note.Memo);
  for (const std::string& line : lines) FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
  FUZZ_CHECK(JoinMemoLines(lines) == Normalized(note.Memo));

  IniDocument doc;
  WriteStickers({note}, doc);
  const auto back = ReadStickers(IniDocument::Parse(doc.Serialize()));
  FUZZ_CHECK(back.size() == 1);
  FUZZ_CHECK(back[0].Memo == JoinMemoLines(lines));
  const std::vector<std::string> read = SplitMemoLines(back[0].Memo);
  // Empty lines at the end are breaks at the end of the joined text.
  FUZZ_CHECK(read.size() <= lines.size());
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const std::string got = k < read.size() ? read[k] : std::string();
    FUZZ_CHECK(ReadsBackAs(">" + got, ">" + lines[k]));
  }
  return 0;
}
