#include "notes/snapping.h"

#include <gtest/gtest.h>

#include <vector>

using namespace wisplet;

namespace {

// A work area that does not start at 0, as with a task bar at the top or left.
constexpr Rect kWork{100, 50, 1100, 800};
constexpr Rect kMiddle{400, 300, 600, 400};  // another note, far from the screen edges
constexpr unsigned char L = SnapLeft, T = SnapTop, R = SnapRight, B = SnapBottom;

Rect Note(int x, int y, int w = 200, int h = 50) { return RectAt(x, y, w, h); }

}  // namespace

TEST(Snapping, MovePath) {
  const Rect rolledUp{400, 300, 600, 317};
  struct Case {
    const char* what;
    Rect proposed;
    std::vector<Rect> targets;
    Snapped placed;
  } cases[] = {
      {"left edge 10 inside", Note(110, 200), {}, {100, 200, L}},
      {"left edge 11 inside", Note(111, 200), {}, {111, 200, 0}},
      {"top edge 10 inside", Note(300, 60), {}, {300, 50, T}},
      {"top edge 11 inside", Note(300, 61), {}, {300, 61, 0}},
      {"right edge 10 inside", Note(890, 200), {}, {900, 200, R}},
      {"right edge 11 inside", Note(889, 200), {}, {889, 200, 0}},
      {"bottom edge 10 inside", Note(300, 740), {}, {300, 750, B}},
      {"bottom edge 11 inside", Note(300, 739), {}, {300, 739, 0}},
      {"partly off the left", Note(40, 200), {}, {100, 200, L}},
      {"partly off the top", Note(300, -20), {}, {300, 50, T}},
      {"partly off the right", Note(1000, 200), {}, {900, 200, R}},
      {"far off the bottom right", Note(5000, 5000), {}, {900, 750, R | B}},
      {"wider than the work area", Note(300, 200, 1200), {}, {-100, 200, R}},
      {"wider, proposed at L + 10", Note(110, 200, 1200), {}, {-100, 200, L | R}},
      {"taller than the work area", Note(300, 300, 200, 900), {}, {300, -100, B}},
      {"at the end of the integer range", Note(2147483000, 5, 2000000, 50), {}, {453, 50, T | R}},
      // Facing edges of another note, 10 snaps and 11 does not.
      {"left to its right, 10 outside", Note(610, 320), {kMiddle}, {600, 320, L}},
      {"left to its right, 10 inside", Note(590, 320), {kMiddle}, {600, 320, L}},
      {"left to its right, 11 outside", Note(611, 320), {kMiddle}, {611, 320, 0}},
      {"right to its left, 10", Note(190, 320), {kMiddle}, {200, 320, R}},
      {"right to its left, 11", Note(189, 320), {kMiddle}, {189, 320, 0}},
      {"top to its bottom, 10", Note(450, 410), {kMiddle}, {450, 400, T}},
      {"top to its bottom, 11", Note(450, 411), {kMiddle}, {450, 411, 0}},
      {"bottom to its top, 10", Note(450, 240), {kMiddle}, {450, 250, B}},
      {"bottom to its top, 11", Note(450, 239), {kMiddle}, {450, 239, 0}},
      {"8 right of it, top 20 above its bottom", Note(608, 380), {kMiddle}, {600, 380, L}},
      {"8 right of it, entirely below it", Note(608, 401), {kMiddle}, {608, 401, 0}},
      {"top on its bottom: spans touch", Note(605, 400), {kMiddle}, {600, 400, L | T}},
      {"corner at (+5, -5)", Note(605, 395), {kMiddle}, {600, 400, L | T}},
      {"corner at (+5, +5)", Note(605, 405), {kMiddle}, {605, 405, 0}},
      {"two in reach: the later wins", Note(603, 320), {kMiddle, {395, 300, 595, 400}}, {595, 320, L}},
      {"two in reach, other order", Note(603, 320), {{395, 300, 595, 400}, kMiddle}, {600, 320, L}},
      {"rolled-up note by its rolled-up size", Note(450, 322), {rolledUp}, {450, 317, T}},
      {"nothing below a rolled-up note", Note(450, 405), {rolledUp}, {450, 405, 0}},
      // Screen edges first, then notes, without a clamp after them.
      {"pulled off the right edge by a note", Note(1000, 300), {{700, 300, 895, 350}}, {895, 300, R | L}},
      {"pushed past the right edge by a note", Note(1000, 300), {{705, 300, 905, 350}}, {905, 300, R | L}},
  };
  for (const auto& c : cases) EXPECT_EQ(SnapMove(c.proposed, kWork, c.targets), c.placed) << c.what;
}

// A request without a position moves the note back inside, each edge a move
// of its own through the move path, then adds the edges in exact contact.
TEST(Snapping, NoMovePath) {
  struct Case {
    const char* what;
    Rect bounds;
    std::vector<Rect> targets;
    Rect after;
    unsigned char edges;
    int moves;
  } cases[] = {
      {"inside, touching nothing", Note(300, 200), {kMiddle}, Note(300, 200), 0, 0},
      {"on the top-left corner", Note(100, 50), {}, Note(100, 50), L | T, 0},
      {"on the bottom-right corner", Note(900, 750), {}, Note(900, 750), R | B, 0},
      {"beside a note", Note(600, 380), {kMiddle}, Note(600, 380), L, 0},
      {"right on a note's left", Note(200, 250), {kMiddle}, Note(200, 250), R | B, 0},
      {"corners meet", Note(600, 400), {kMiddle}, Note(600, 400), L | T, 0},
      {"beside a note but below it", Note(600, 401), {kMiddle}, Note(600, 401), 0, 0},
      {"under a task bar that grew", Note(300, 760), {}, Note(300, 750), B, 1},
      {"off the top left, one move does both", Note(40, 20), {}, Note(100, 50), L | T, 1},
      {"off the right, snaps to a note on the way", Note(1010, 310), {{700, 300, 895, 350}}, Note(895, 310), L | R, 1},
      {"wider than the work area", Note(-100, 300, 1200), {}, Note(-100, 300, 1200), L | R, 1},
  };
  for (const auto& c : cases) {
    int moves = 0;
    Rect bounds = c.bounds;
    unsigned char edges = SnapInPlace(
        bounds, [](const Rect&) { return kWork; },
        [&](int left, int top) {
          ++moves;
          Snapped p = SnapMove(RectAt(left, top, bounds.right - bounds.left, bounds.bottom - bounds.top), kWork,
                                 c.targets);
          bounds = RectAt(p.left, p.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
          return Moved{bounds, p.edges};
        },
        c.targets);
    EXPECT_EQ(bounds, c.after) << c.what;
    EXPECT_EQ(edges, c.edges) << c.what;
    EXPECT_EQ(moves, c.moves) << c.what;
  }
}

TEST(Snapping, WorkAreaOfTheNearestDisplay) {
  auto display = [](int l, int t, int r, int b) { return MonitorArea{{l, t, r, b}, {l, t, r, b - 30}}; };
  const MonitorArea first = display(0, 0, 1024, 768), right = display(1024, 0, 2304, 1024),
                    farRight = display(2304, 0, 3584, 1024), below = display(0, 768, 1024, 1536);
  struct Case {
    const char* what;
    std::vector<MonitorArea> monitors;
    Rect note;
    Rect work;
  } cases[] = {
      {"one display", {first}, Note(5000, 5000), first.work},
      {"on the second", {first, right}, Note(1500, 300), right.work},
      {"more on the second", {first, right}, Note(930, 300), right.work},
      {"half and half: the first", {first, right}, Note(924, 300), first.work},
      {"beyond the right one", {first, right}, Note(5000, 300), right.work},
      {"left of everything", {first, right}, Note(-900, 300), first.work},
      {"three in a row, above the middle", {first, right, farRight}, Note(1500, -400), right.work},
      {"stacked, below both", {first, below}, Note(300, 3000), below.work},
      {"stacked, across the seam, more below", {first, below}, Note(300, 750), below.work},
      {"stacked, beside the lower one", {first, below}, Note(1200, 1000), below.work},
      {"L-shaped, in the empty corner", {first, right, below}, Note(1500, 1200), right.work},
      {"equally far from two: the first", {first, right}, Note(924, -400), first.work},
  };
  for (const auto& c : cases) EXPECT_EQ(NearestWorkArea(c.monitors, c.note), c.work) << c.what;

  // A note dropped 6 pixels onto the second display snaps to that display's
  // left edge; with only the first display's work area it would be yanked
  // back to the first one's right edge.
  std::vector<MonitorArea> two{first, right};
  Rect dropped = Note(1030, 300);
  EXPECT_EQ(SnapMove(dropped, NearestWorkArea(two, dropped), {}), (Snapped{1024, 300, L}));
  EXPECT_EQ(SnapMove(dropped, first.work, {}), (Snapped{824, 300, R}));
}

TEST(Snapping, TargetsAreTheOtherShownNotesInListOrder) {
  struct FakeNote {
    bool shown;
    Rect bounds;
    bool Visible() const { return shown; }
    Rect BoundsRect() const { return bounds; }
  };
  FakeNote moved{true, Note(0, 0)}, hidden{false, Note(10, 10)}, a{true, Note(20, 20)}, b{true, Note(30, 30, 200, 17)};
  std::vector<FakeNote*> list{&b, nullptr, &moved, &hidden, &a};
  EXPECT_EQ(SnapTargets(list, &moved), (std::vector<Rect>{b.bounds, a.bounds}));
}
