#include "notes/note_layout.h"

#include <algorithm>

namespace wisplet {
namespace {

bool Contains(const Rect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

int TitleLabelWidth(int noteWidth, int lineHeight, int dpi) {
  NoteLayout l{noteWidth, 0, lineHeight, dpi};
  return noteWidth - 4 * l.ButtonWidth() - l.Px(10);
}

Rect NoteLayout::TitleLabel() const {
  int left = MenuButton().right + Px(1);
  return {left, 0, left + TitleLabelWidth(width, lineHeight, dpi), lineHeight};
}

Rect NoteLayout::MemoLabel() const {
  int top = lineHeight + Px(2);
  return {Px(2), top, Px(2) + (width - Px(6)), top + (height - lineHeight - Px(6))};
}

Rect NoteLayout::PartRect(NotePart part) const {
  switch (part) {
    case NotePart::MemoBevel: return MemoBevel();
    case NotePart::TitleBevel: return TitleBevel();
    case NotePart::TitleLabel: return TitleLabel();
    case NotePart::MemoLabel: return MemoLabel();
    case NotePart::MenuButton: return MenuButton();
    case NotePart::CloseButton: return CloseButton();
    case NotePart::OnTopButton: return OnTopButton();
    case NotePart::HideButton: return HideButton();
    case NotePart::None: break;
  }
  return {};
}

NotePart NoteLayout::HitTest(int x, int y) const {
  static constexpr NotePart kTopFirst[] = {
      NotePart::HideButton, NotePart::OnTopButton, NotePart::CloseButton, NotePart::MenuButton,
      NotePart::MemoLabel,  NotePart::TitleLabel,  NotePart::TitleBevel,  NotePart::MemoBevel};
  for (NotePart part : kTopFirst)
    if (Contains(PartRect(part), x, y)) return part;
  return NotePart::None;
}

bool NoteLayout::InResizeZone(NotePart part, int clientX, int clientY) const {
  Rect r = PartRect(part);
  int x = clientX - r.left, y = clientY - r.top;
  const int reach = SnapDistanceAt(dpi);
  return x >= width - reach && x <= width && y >= height - reach && y <= height;
}

TextExtent FitToContent(int titleTextWidth, int lineHeight,
                        const std::function<TextExtent(int wrapWidth)>& measureMemo, int dpi) {
  const NoteLayout l{0, 0, lineHeight, dpi};
  int buttons = 4 * l.ButtonWidth();
  int width = std::max(DefaultNoteWidthAt(dpi), titleTextWidth + buttons + l.Px(10));
  TextExtent memo = measureMemo(width - l.Px(6));
  int height = lineHeight + memo.height + l.Px(6);
  width = std::max(width, memo.width + l.Px(6));
  return ConstrainNoteSize(width, height, lineHeight, dpi);
}

TextExtent ConstrainNoteSize(int width, int height, int lineHeight, int dpi) {
  return {std::max(width, DefaultNoteWidthAt(dpi)), std::max(height, NoteLayout{0, 0, lineHeight, dpi}.MinHeight())};
}

}  // namespace wisplet
