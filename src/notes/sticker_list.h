#pragma once
// The note list: creating the stored notes, collecting them for saving, and
// removing a closed note.
#include <memory>
#include <vector>

#include "model/state.h"
#include "notes/sticker_window.h"
#include "storage/stickers.h"

namespace wisplet {

// Creates one note window per stored note, in the stored order, and appends
// them to `list`. The windows are owned by `owner`.
void LoadStickers(TListSticker& list, const std::vector<StickerRecord>& records, NoteHost& host,
                  std::vector<std::unique_ptr<TStickerWindow>>& owner);

// What the settings file keeps of every note in the list.
std::vector<StickerRecord> StickerRecords(const TListSticker& list);

// Gives a shown or hidden note what `now` holds where it differs from `was`,
// the record the note gave: its text, look, flags and bounds, as loading it
// would. A note not told to show or hide keeps its place in the window order.
void ApplyStickerRecord(TStickerWindow& note, const StickerRecord& was, const StickerRecord& now);

// Removes exactly this note. Two notes can share an ID (made within the same
// second), so the note is found by identity, never by its ID.
void RemoveSticker(TListSticker& list, const TStickerWindow& note);

}  // namespace wisplet
