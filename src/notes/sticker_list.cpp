#include "notes/sticker_list.h"

#include <algorithm>

#include "base/dpi.h"
#include "model/dpi_scale.h"

namespace wisplet {

// The settings file keeps positions and sizes in 96-DPI units (see NoteDpi):
// they become screen pixels here, where records become windows, and go
// back where windows become records.

void LoadStickers(TListSticker& list, const std::vector<StickerRecord>& records, NoteHost& host,
                  std::vector<std::unique_ptr<TStickerWindow>>& owner) {
  const int system = SystemDpi();
  for (const StickerRecord& r : records) {
    owner.push_back(std::make_unique<TStickerWindow>(host));
    TStickerWindow& note = *owner.back();
    list.push_back(&note);
    // The display the stored bounds fall on at the system's scale gives the
    // note its DPI, and with it its size in pixels.
    const NoteBounds stored{r.Left, r.Top, r.Width, r.Height};
    const NoteBounds guess = StoredToScreen(stored, {system, system});
    const Rect area = RectAt(guess.left, guess.top, guess.width, guess.height);
    const int display = DpiOfRect(RECT{area.left, area.top, area.right, area.bottom});
    const NoteBounds screen = StoredToScreen(stored, {system, display});
    note.SetDpi(display);
    note.SetTitle(r.Title);
    note.SetMemo(r.Memo);
    note.ID = r.ID;
    note.SetOnTop(r.OnTop);
    note.SetMinState(r.MinState);
    // The stored size replaces the fitted one; the minimum size still applies.
    note.SetTop(screen.top);
    note.SetLeft(screen.left);
    note.SetHeight(screen.height);
    note.SetWidth(screen.width);
    note.ApplyScheme(r.Scheme);
    note.SetActive(r.Active);
  }
}

std::vector<StickerRecord> StickerRecords(const TListSticker& list) {
  std::vector<StickerRecord> records;
  records.reserve(list.size());
  const int system = SystemDpi();
  for (const TStickerWindow* note : list) {
    StickerRecord r;
    r.Title = note->Title;
    r.Memo = note->Memo;
    r.ID = note->ID;
    r.Active = note->Active;
    r.OnTop = note->OnTop;
    r.MinState = note->MinState;
    const RECT b = note->Bounds();
    const NoteBounds stored =
        ScreenToStored({b.left, b.top, b.right - b.left, b.bottom - b.top}, {system, note->Dpi()});
    r.Top = stored.top;
    r.Left = stored.left;
    r.Height = stored.height;
    r.Width = stored.width;
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
