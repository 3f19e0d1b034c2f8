#include "notes/sticker_list.h"

#include <algorithm>

namespace wisplet {

void LoadStickers(TListSticker& list, const std::vector<StickerRecord>& records, NoteHost& host,
                  std::vector<std::unique_ptr<TStickerWindow>>& owner) {
  for (const StickerRecord& r : records) {
    owner.push_back(std::make_unique<TStickerWindow>(host));
    TStickerWindow& note = *owner.back();
    list.push_back(&note);
    note.SetTitle(r.Title);
    note.SetMemo(r.Memo);
    note.ID = r.ID;
    note.SetOnTop(r.OnTop);
    note.SetMinState(r.MinState);
    // The stored size replaces the fitted one; the minimum size still applies.
    note.SetTop(r.Top);
    note.SetLeft(r.Left);
    note.SetHeight(r.Height);
    note.SetWidth(r.Width);
    note.ApplyScheme(r.Scheme);
    note.SetActive(r.Active);
  }
}

std::vector<StickerRecord> StickerRecords(const TListSticker& list) {
  std::vector<StickerRecord> records;
  records.reserve(list.size());
  for (const TStickerWindow* note : list) {
    StickerRecord r;
    r.Title = note->Title;
    r.Memo = note->Memo;
    r.ID = note->ID;
    r.Active = note->Active;
    r.OnTop = note->OnTop;
    r.MinState = note->MinState;
    RECT b = note->Bounds();
    r.Top = b.top;
    r.Left = b.left;
    r.Height = b.bottom - b.top;
    r.Width = b.right - b.left;
    r.Scheme = note->Scheme;
    records.push_back(std::move(r));
  }
  return records;
}

void RemoveSticker(TListSticker& list, const TStickerWindow& note) {
  auto it = std::find(list.begin(), list.end(), &note);
  if (it != list.end()) list.erase(it);
}

}  // namespace wisplet
