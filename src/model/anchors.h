#pragma once
// Controls that follow the edges of a resizable window.
#include "model/surface.h"

namespace wisplet {

enum Anchor : unsigned { AnchorLeft = 1, AnchorTop = 2, AnchorRight = 4, AnchorBottom = 8 };

// Where a control laid out at `design` in a client area of designWidth x
// designHeight goes when the client area is width x height. An anchored edge
// keeps its design distance to that side; with both edges of an axis anchored
// the control stretches (never below zero size); with neither it stays put.
Rect PlaceAnchored(const Rect& design, unsigned anchors, int designWidth, int designHeight,
                   int width, int height);

}  // namespace wisplet
