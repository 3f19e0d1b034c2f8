#pragma once
// Where a note may go: every position request for a note passes this filter.
// A note within the snap distance (SnapDistance at 96 DPI, scaled for the
// note's display) of an edge of the work area, or of the facing edge of
// another shown note, is pulled flush against it, and the filter
// tells which of the note's edges are in contact. Rectangles are in screen
// pixels, right and bottom just outside.
#include <functional>
#include <span>
#include <vector>

#include "notes/gradient.h"
#include "notes/note_layout.h"

namespace wisplet {

// Edges of a note in contact with the work area or another note.
enum SnapEdge : unsigned char { SnapLeft = 1, SnapTop = 2, SnapRight = 4, SnapBottom = 8 };

// The rectangle of a note at (left, top) of the given size; right and bottom
// stop at the ends of the integer range.
Rect RectAt(int left, int top, int width, int height);

// Where a request leaves the note, and its edges in contact.
struct Snapped {
  int left = 0;
  int top = 0;
  unsigned char edges = 0;
  bool operator==(const Snapped&) const = default;
};

// A request that carries a position. First the work area's edges, each in
// reach pulling the note flush and keeping it inside; then every target in
// list order, facing edges only, whose spans overlap or touch; a later
// target overrides an earlier one and no flag is ever taken back. The size
// is never changed. `reach` is the snap distance in pixels.
Snapped SnapMove(const Rect& proposed, const Rect& workArea, std::span<const Rect> targets,
                 int reach = SnapDistance);

// The edges of `bounds` lying exactly on an edge of the work area or on the
// facing edge of a target whose span overlaps or touches.
unsigned char ContactEdges(const Rect& bounds, const Rect& workArea, std::span<const Rect> targets);

// A request without a position (a change of stacking order, hiding): the note
// is brought back inside the work area, each edge with a real move of its own
// (moveTo, which passes through SnapMove as a request of its own and gives
// the note's bounds and edges afterwards), then the edges in exact contact
// are added. Returns the note's edges.
struct Moved {
  Rect bounds;
  unsigned char edges = 0;
};
unsigned char SnapInPlace(Rect bounds, const std::function<Rect(const Rect&)>& workAreaOf,
                          const std::function<Moved(int left, int top)>& moveTo,
                          std::span<const Rect> targets);

// One display: the whole of it and the part not covered by task bars.
struct MonitorArea {
  Rect monitor;
  Rect work;
};
// The work area of the display nearest to `r`, as the window system picks it:
// the one it overlaps most, else the closest one; the first on a tie.
// `monitors` must not be empty.
Rect NearestWorkArea(std::span<const MonitorArea> monitors, const Rect& r);

// The rectangles that attract a moved note: the shown notes of the list in
// list order, except the moved one (a rolled-up note by its rolled-up size).
template <class Note>
std::vector<Rect> SnapTargets(const std::vector<Note*>& list, const Note* moved) {
  std::vector<Rect> targets;
  targets.reserve(list.size());
  for (const Note* note : list)
    if (note && note != moved && note->Visible()) targets.push_back(note->BoundsRect());
  return targets;
}

}  // namespace wisplet
