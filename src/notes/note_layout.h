#pragma once
// Where the parts of a note lie, how big a note must be for its title and
// text, and which part a mouse position falls on. The sizes follow the
// measured line height of the note's font; the margins and the fixed sizes
// below are designed at 96 DPI and scaled for the DPI of the note's display.
// Nothing here needs a window.
#include <functional>
#include <string>

#include "model/dpi_scale.h"
#include "notes/gradient.h"

namespace wisplet {

// Width of every new note, its minimum width and its rolled-up width.
constexpr int DefaultNoteWidth = 200;
// Reach of snapping, and the size of the resize zone at the bottom-right corner.
constexpr int SnapDistance = 10;
// A note's outer size when it is built, before it is fitted to its content.
constexpr int InitialNoteHeight = 50;

// The same at a DPI.
inline int DefaultNoteWidthAt(int dpi) { return ScaleToDpi(DefaultNoteWidth, dpi); }
inline int SnapDistanceAt(int dpi) { return ScaleToDpi(SnapDistance, dpi); }
inline int InitialNoteHeightAt(int dpi) { return ScaleToDpi(InitialNoteHeight, dpi); }

// The parts of a note from the bottom of the z-order to the top.
enum class NotePart {
  None,
  MemoBevel,
  TitleBevel,
  TitleLabel,
  MemoLabel,
  MenuButton,
  CloseButton,
  OnTopButton,
  HideButton,
};

struct TextExtent {
  int width = 0;
  int height = 0;
};

// Child rectangles in client coordinates for a note of outer size
// width x height whose text line is lineHeight pixels high, on a display of
// `dpi`. The bevels are sized from the outer bounds, so their last two
// columns (and the memo bevel's last two rows) lie outside the client area.
struct NoteLayout {
  int width = 0;
  int height = 0;
  int lineHeight = 0;
  int dpi = kDesignDpi;

  // A margin designed at 96 DPI, in pixels at the layout's DPI.
  int Px(int designPixels) const { return ScaleToDpi(designPixels, dpi); }
  int ButtonWidth() const { return lineHeight + Px(2); }
  int TitleBarHeight() const { return lineHeight + Px(2); }
  int MinHeight() const { return lineHeight + Px(4); }

  Rect MemoBevel() const { return {0, 0, width, height}; }
  Rect TitleBevel() const { return {0, 0, width, TitleBarHeight()}; }
  Rect MenuButton() const { return Button(0); }
  Rect CloseButton() const { return Button(width - ButtonWidth() - Px(1)); }
  Rect OnTopButton() const { return Button(CloseButton().left - ButtonWidth() - Px(3)); }
  Rect HideButton() const { return Button(OnTopButton().left - ButtonWidth() - Px(3)); }
  // Between the menu button and the three right-hand buttons.
  Rect TitleLabel() const;
  // Below the title, 2 pixels (at 96 DPI) in from the left, up to 6 short of
  // the note's width and height.
  Rect MemoLabel() const;
  Rect PartRect(NotePart part) const;

  // The topmost part under a client position (the memo bevel covers the
  // whole note, so every client position hits a part).
  NotePart HitTest(int x, int y) const;
  // A position given relative to a part lies in the resize zone when it is
  // within the snap distance of the note's outer width and height, measured in that
  // part's own coordinates: on the bevels the zone is the note's corner, on
  // the labels, which are offset into the note, never.
  bool InResizeZone(NotePart part, int clientX, int clientY) const;

 private:
  Rect Button(int left) const { return {left, 0, left + ButtonWidth(), lineHeight}; }
};

// Width of the title label: the note's width less the four buttons and 10.
int TitleLabelWidth(int noteWidth, int lineHeight, int dpi = kDesignDpi);

// The natural size of a note: its title on one line beside the four buttons,
// its text wrapped to the note's width less 6 (a word that does not fit
// widens the note), both one line high at least.
// measureMemo(width) gives the wrapped text's extent for a given wrap width.
TextExtent FitToContent(int titleTextWidth, int lineHeight,
                        const std::function<TextExtent(int wrapWidth)>& measureMemo, int dpi = kDesignDpi);

// The size a note takes for requested bounds: never below the minimum.
TextExtent ConstrainNoteSize(int width, int height, int lineHeight, int dpi = kDesignDpi);

}  // namespace wisplet
