#pragma once
// The [Sticker<n>] sections: every note's title, text, flags, bounds and its
// own copy of a color scheme.
#include <string>
#include <vector>

#include "model/scheme.h"
#include "storage/ini_document.h"
#include "storage/settings.h"

namespace wisplet {

// What the settings file keeps of one note; the defaults are those of a
// missing key.
struct StickerRecord {
  std::string Title = "Some Title";
  std::string Memo;
  std::string ID;
  bool Active = false;
  bool OnTop = false;
  bool MinState = false;
  int Top = 1;
  int Left = 1;
  int Height = 50;
  int Width = 200;
  TColorScheme Scheme = DefaultStickerScheme();

  static TColorScheme DefaultStickerScheme();
  bool operator==(const StickerRecord&) const = default;
};

// The note text as stored lines: cut at CR LF, CR and LF; a break at the very
// end starts no further line; an empty text has none.
std::vector<std::string> SplitMemoLines(const std::string& memo);
// Lines joined with CR LF, no break after the last.
std::string JoinMemoLines(const std::vector<std::string>& lines);

std::vector<StickerRecord> ReadStickers(const IniDocument& doc);
// Erases [Sticker0] to [Sticker255], writes "StickerCount" and every note.
void WriteStickers(const std::vector<StickerRecord>& notes, IniDocument& doc);
void SaveStickers(const std::vector<StickerRecord>& notes, TIniFile& ini);

// The notes closed last, newest first, in sections [Closed<n>] with the keys
// of a note, counted by "ClosedCount" in [Main]. The note loader never reads
// them, so a file that holds them stays readable by every earlier build, and
// the saves of those leave them alone.
constexpr std::size_t kMaxClosedNotes = 20;
std::vector<StickerRecord> ReadClosedStickers(const IniDocument& doc);
// Erases [Closed0] to [Closed255] and writes the list; a file that has never
// held a closed note gets no count either.
void WriteClosedStickers(const std::vector<StickerRecord>& closed, IniDocument& doc);
// Puts a note just closed first; the oldest beyond kMaxClosedNotes goes.
void RememberClosed(std::vector<StickerRecord>& closed, StickerRecord note);

}  // namespace wisplet
