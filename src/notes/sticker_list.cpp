#include "notes/sticker_list.h"

#include <algorithm>

#include "base/dpi.h"
#include "model/dpi_scale.h"

namespace wisplet {

// The settings file keeps positions and sizes in 96-DPI units (see NoteDpi):
// they become screen pixels here, where records become windows, and go
// back where windows become records.

namespace {

// The display the stored bounds fall on at the system's scale gives the
// note its DPI, and with it its size in pixels.
struct ScreenPlace {
  int dpi;
  NoteBounds bounds;
};
ScreenPlace ScreenPlaceOf(const StickerRecord& r, int system) {
  const NoteBounds stored{r.Left, r.Top, r.Width, r.Height};
  const NoteBounds guess = StoredToScreen(stored, {system, system});
  const Rect area = RectAt(guess.left, guess.top, guess.width, guess.height);
  const int display = DpiOfRect(RECT{area.left, area.top, area.right, area.bottom});
  return {display, StoredToScreen(stored, {system, display})};
}

// The stored size replaces the fitted one; the minimum size still applies.
void PlaceAt(TStickerWindow& note, const NoteBounds& screen) {
  note.SetTop(screen.top);
  note.SetLeft(screen.left);
  note.SetHeight(screen.height);
  note.SetWidth(screen.width);
}

}  // namespace

void LoadStickers(TListSticker& list, const std::vector<StickerRecord>& records, NoteHost& host,
                  std::vector<std::unique_ptr<TStickerWindow>>& owner) {
  const int system = SystemDpi();
  for (const StickerRecord& r : records) {
    owner.push_back(std::make_unique<TStickerWindow>(host));
    TStickerWindow& note = *owner.back();
    list.push_back(&note);
    const ScreenPlace place = ScreenPlaceOf(r, system);
    note.SetDpi(place.dpi);
    note.SetTitle(r.Title);
    note.SetMemo(r.Memo);
    note.ID = r.ID;
    note.SetOnTop(r.OnTop);
    note.SetMinState(r.MinState);
    PlaceAt(note, place.bounds);
    note.ApplyScheme(r.Scheme);
    note.SetActive(r.Active);
  }
}

void ApplyStickerRecord(TStickerWindow& note, const StickerRecord& was, const StickerRecord& now) {
  note.ID = now.ID;
  const bool text = now.Title != was.Title || now.Memo != was.Memo;
  if (now.Title != was.Title) note.SetTitle(now.Title);
  if (now.Memo != was.Memo) note.SetMemo(now.Memo);
  if (now.OnTop != was.OnTop) note.SetOnTop(now.OnTop);
  if (now.MinState != was.MinState) note.SetMinState(now.MinState);
  // A new text or rolling up fits the note anew: its stored bounds follow.
  if (text || now.MinState != was.MinState || now.Left != was.Left || now.Top != was.Top ||
      now.Width != was.Width || now.Height != was.Height) {
    const ScreenPlace place = ScreenPlaceOf(now, SystemDpi());
    note.SetDpi(place.dpi);
    PlaceAt(note, place.bounds);
  }
  if (!(now.Scheme == was.Scheme)) note.ApplyScheme(now.Scheme);
  if (now.Active != was.Active) note.SetActive(now.Active);
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
