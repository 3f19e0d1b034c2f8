// The notes loader on any file: every counted note, and every note closed
// last, loads without failing, is saved as "Exit" and the note editor save
// it, and loads again the same.
#include <string>
#include <vector>

#include "fakes.h"
#include "fuzz_check.h"
#include "storage/stickers.h"

using namespace wisplet;
using namespace wisplet::testing;
using namespace wisplet_fuzz;

namespace {

// Body lines without the empty ones at the end: a body ending in a line
// break loses that break in the file.
std::vector<std::string> BodyLines(const std::string& memo) {
  std::vector<std::string> lines = SplitMemoLines(memo);
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

bool SameNote(const StickerRecord& read, const StickerRecord& written) {
  const auto readLines = BodyLines(read.Memo), writtenLines = BodyLines(written.Memo);
  if (readLines.size() != writtenLines.size()) return false;
  for (std::size_t k = 0; k < readLines.size(); ++k)
    if (!ReadsBackAs(">" + readLines[k], ">" + writtenLines[k])) return false;
  StickerRecord rest = written;
  rest.Title = read.Title;
  rest.ID = read.ID;
  rest.Memo = read.Memo;
  rest.Scheme.Name = read.Scheme.Name;
  return ReadsBackAs(read.Title, written.Title) && ReadsBackAs(read.ID, written.ID) &&
         ReadsBackAs(read.Scheme.Name, written.Scheme.Name) && read == rest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryFile file(std::string(reinterpret_cast<const char*>(data), size), /*present=*/true);
  TIniFile ini(file);
  const std::vector<StickerRecord> notes = ReadStickers(ini.Load());
  SaveStickers(notes, ini);
  const std::vector<StickerRecord> back = ReadStickers(ini.Load());
  FUZZ_CHECK(back.size() == notes.size());
  for (std::size_t n = 0; n < notes.size(); ++n) FUZZ_CHECK(SameNote(back[n], notes[n]));
  // The notes closed last, in sections of their own that the notes' save
  // leaves alone, the same way through.
  const std::vector<StickerRecord> closed = ReadClosedStickers(ini.Load());
  FUZZ_CHECK(closed.size() <= kMaxClosedNotes);
  ini.Update([&](IniDocument& doc) { WriteClosedStickers(closed, doc); });
  const std::vector<StickerRecord> closedBack = ReadClosedStickers(ini.Load());
  FUZZ_CHECK(closedBack.size() == closed.size());
  for (std::size_t n = 0; n < closed.size(); ++n) FUZZ_CHECK(SameNote(closedBack[n], closed[n]));
  FUZZ_CHECK(ReadStickers(ini.Load()).size() == notes.size());
  return 0;
}
