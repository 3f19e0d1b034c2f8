#include "model/anchors.h"

#include <algorithm>

namespace wisplet {
namespace {

// One axis: returns the new start and end.
void PlaceOnAxis(bool nearAnchored, bool farAnchored, int start, int end, int designClient, int client,
                 int& outStart, int& outEnd) {
  const int size = end - start;
  const int farGap = designClient - end;
  if (nearAnchored && farAnchored) {
    outStart = start;
    outEnd = start + std::max(0, client - start - farGap);
  } else if (farAnchored) {
    outStart = client - farGap - size;
    outEnd = outStart + size;
  } else {
    outStart = start;
    outEnd = end;
  }
}

}  // namespace

Rect PlaceAnchored(const Rect& design, unsigned anchors, int designWidth, int designHeight, int width,
                   int height) {
  Rect r;
  PlaceOnAxis(anchors & AnchorLeft, anchors & AnchorRight, design.left, design.right, designWidth, width,
              r.left, r.right);
  PlaceOnAxis(anchors & AnchorTop, anchors & AnchorBottom, design.top, design.bottom, designHeight, height,
              r.top, r.bottom);
  return r;
}

}  // namespace wisplet
