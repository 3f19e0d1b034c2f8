#include "notes/note_layout.h"

#include <algorithm>

namespace wisplet {
namespace {

bool Contains(const Rect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

int TitleLabelWidth(int noteWidth, int lineHeight) { return noteWidth - 4 * (lineHeight + 2) - 10; }

Rect NoteLayout::TitleLabel() const {
  int left = MenuButton().right + 1;
  return {left, 0, left + TitleLabelWidth(width, lineHeight), lineHeight};
}

Rect NoteLayout::MemoLabel() const {
  int top = lineHeight + 2;
  return {2, top, 2 + (width - 6), top + (height - lineHeight - 6)};
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
  return x >= width - SnapDistance && x <= width && y >= height - SnapDistance && y <= height;
}

TextExtent FitToContent(int titleTextWidth, int lineHeight,
                        const std::function<TextExtent(int wrapWidth)>& measureMemo) {
  int buttons = 4 * (lineHeight + 2);
  int width = std::max(DefaultNoteWidth, titleTextWidth + buttons + 10);
  TextExtent memo = measureMemo(width - 6);
  int height = lineHeight + memo.height + 6;
  width = std::max(width, memo.width + 6);
  return ConstrainNoteSize(width, height, lineHeight);
}

TextExtent ConstrainNoteSize(int width, int height, int lineHeight) {
  return {std::max(width, DefaultNoteWidth), std::max(height, lineHeight + 4)};
}

}  // namespace wisplet
