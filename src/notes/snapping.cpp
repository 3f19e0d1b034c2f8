#include "notes/snapping.h"

#include <algorithm>
#include <limits>

namespace wisplet {
namespace {

// Spans that merely touch count as overlapping.
bool RowsMeet(long long top, long long bottom, const Rect& t) { return t.bottom >= top && bottom >= t.top; }
bool ColumnsMeet(long long left, long long right, const Rect& t) { return t.right >= left && right >= t.left; }

int ToInt(long long v) {
  return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

long long Area(const Rect& r) {
  return std::max(0LL, static_cast<long long>(r.right) - r.left) *
         std::max(0LL, static_cast<long long>(r.bottom) - r.top);
}

Rect Intersection(const Rect& a, const Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// The gap between two rectangles along one axis (0 where they overlap).
long long Gap(int lowA, int highA, int lowB, int highB) {
  return std::max({0LL, static_cast<long long>(lowB) - highA, static_cast<long long>(lowA) - highB});
}

}  // namespace

Rect RectAt(int left, int top, int width, int height) {
  return {left, top, ToInt(static_cast<long long>(left) + width), ToInt(static_cast<long long>(top) + height)};
}

Snapped SnapMove(const Rect& proposed, const Rect& work, std::span<const Rect> targets, int reach) {
  // 64-bit, so that absurd stored positions and sizes cannot overflow.
  using Wide = long long;
  Wide x = proposed.left, y = proposed.top;
  const Wide w = Wide(proposed.right) - proposed.left, h = Wide(proposed.bottom) - proposed.top;
  unsigned char edges = 0;
  if (x <= work.left + reach) {
    x = work.left;
    edges |= SnapLeft;
  }
  if (y <= work.top + reach) {
    y = work.top;
    edges |= SnapTop;
  }
  if (x + w >= work.right - reach) {
    x = work.right - w;
    edges |= SnapRight;
  }
  if (y + h >= work.bottom - reach) {
    y = work.bottom - h;
    edges |= SnapBottom;
  }
  // Only a note that met a screen edge is kept inside; a note wider than the
  // work area ends on its right edge, one taller on its bottom edge.
  if (edges) {
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    if (x + w > work.right) x = work.right - w;
    if (y + h > work.bottom) y = work.bottom - h;
  }
  // One axis against one target: the note's near edge to the target's far
  // edge, then its far edge to the target's near edge, while the spans across
  // that axis meet (they do not move along it).
  auto facing = [&edges, reach](Wide& pos, Wide size, int nearEdge, int farEdge, bool spansMeet, SnapEdge nearFlag,
                                SnapEdge farFlag) {
    auto within = [reach](Wide value, Wide edge) { return edge - reach <= value && value <= edge + reach; };
    if (!spansMeet) return;
    if (within(pos, farEdge)) {
      pos = farEdge;
      edges |= nearFlag;
    }
    if (within(pos + size, nearEdge)) {
      pos = nearEdge - size;
      edges |= farFlag;
    }
  };
  for (const Rect& t : targets) {
    facing(x, w, t.left, t.right, RowsMeet(y, y + h, t), SnapLeft, SnapRight);
    facing(y, h, t.top, t.bottom, ColumnsMeet(x, x + w, t), SnapTop, SnapBottom);
  }
  return {ToInt(x), ToInt(y), edges};
}

unsigned char ContactEdges(const Rect& b, const Rect& work, std::span<const Rect> targets) {
  unsigned char edges = 0;
  if (b.left == work.left) edges |= SnapLeft;
  if (b.top == work.top) edges |= SnapTop;
  if (b.right == work.right) edges |= SnapRight;
  if (b.bottom == work.bottom) edges |= SnapBottom;
  for (const Rect& t : targets) {
    if (RowsMeet(b.top, b.bottom, t)) {
      if (t.right == b.left) edges |= SnapLeft;
      if (b.right == t.left) edges |= SnapRight;
    }
    if (ColumnsMeet(b.left, b.right, t)) {
      if (t.bottom == b.top) edges |= SnapTop;
      if (b.bottom == t.top) edges |= SnapBottom;
    }
  }
  return edges;
}

unsigned char SnapInPlace(Rect bounds, const std::function<Rect(const Rect&)>& workAreaOf,
                          const std::function<Moved(int left, int top)>& moveTo,
                          std::span<const Rect> targets) {
  unsigned char edges = 0;
  Rect work = workAreaOf(bounds);
  // Each move is a request of its own, which snaps and sets the edges anew;
  // the next test looks at the note where that move left it.
  auto move = [&](int left, int top) {
    Moved moved = moveTo(left, top);
    bounds = moved.bounds;
    edges = moved.edges;
    work = workAreaOf(bounds);
  };
  if (bounds.left < work.left) move(work.left, bounds.top);
  if (bounds.top < work.top) move(bounds.left, work.top);
  if (bounds.right > work.right) move(work.right - (bounds.right - bounds.left), bounds.top);
  if (bounds.bottom > work.bottom) move(bounds.left, work.bottom - (bounds.bottom - bounds.top));
  return edges | ContactEdges(bounds, work, targets);
}

Rect NearestWorkArea(std::span<const MonitorArea> monitors, const Rect& r) {
  const MonitorArea* best = &monitors.front();
  long long bestArea = 0;
  for (const MonitorArea& m : monitors) {
    long long area = Area(Intersection(m.monitor, r));
    if (area > bestArea) {
      best = &m;
      bestArea = area;
    }
  }
  if (bestArea > 0) return best->work;
  long long bestDistance = std::numeric_limits<long long>::max();
  for (const MonitorArea& m : monitors) {
    long long dx = Gap(r.left, r.right, m.monitor.left, m.monitor.right);
    long long dy = Gap(r.top, r.bottom, m.monitor.top, m.monitor.bottom);
    if (dx * dx + dy * dy < bestDistance) {
      best = &m;
      bestDistance = dx * dx + dy * dy;
    }
  }
  return best->work;
}

}  // namespace wisplet
