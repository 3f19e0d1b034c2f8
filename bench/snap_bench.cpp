// The position filter's own cost per request while a note is dragged over
// 255 other shown notes, beside the same requests with no other note.
#include <chrono>
#include <cstdio>
#include <vector>

#include "notes/snapping.h"

using namespace wisplet;

namespace {

struct Note {
  Rect bounds;
  bool shown = true;
  bool Visible() const { return shown; }
  Rect BoundsRect() const { return bounds; }
};

constexpr Rect kWork{0, 0, 1024, 738};

// Microseconds per request for a drag across the screen and back.
double PerRequest(const std::vector<Note*>& list, const Note* moved, unsigned& sink) {
  constexpr int kRequests = 200000;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRequests; ++i) {
    int step = i % 1600;
    int x = step < 800 ? step : 1600 - step;
    Rect proposed = RectAt(x, (x * 3) % 700, 200, 50);
    // What the note does for each request: gather the targets, then filter.
    Snapped s = SnapMove(proposed, kWork, SnapTargets(list, moved));
    sink += s.left + s.top + s.edges;
  }
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / kRequests;
}

}  // namespace

int main() {
  // The dragged note and 255 shown ones in rows and columns over the work
  // area, some of them rolled up.
  std::vector<Note> notes(256);
  for (int i = 0; i < 256; ++i) notes[i] = {RectAt((i % 5) * 205, (i / 5 % 14) * 52, 200, i % 7 ? 50 : 17)};
  std::vector<Note*> list, alone{&notes[0]};
  for (Note& n : notes) list.push_back(&n);
  unsigned sink = 0;
  double none = PerRequest(alone, &notes[0], sink);
  double all = PerRequest(list, &notes[0], sink);
  std::printf("Position filter per request of a dragged note (target: well under 100 us)\n");
  std::printf("  no other note          %8.3f us\n", none);
  std::printf("  255 other notes        %8.3f us\n", all);
  std::printf("(checksum %u)\n", sink);
  return 0;
}
