#pragma once
// Sizes designed at 96 dots per inch, in pixels for the DPI of a display, and
// the settings file's units (the pixels of a 96-DPI screen) on the screen and
// back. Nothing here needs a window.

namespace wisplet {

// The DPI every size of the program is designed at, and the unit of the
// positions and sizes in the settings file.
constexpr int kDesignDpi = 96;

// A length designed at 96 DPI in pixels at `dpi`: to the nearest pixel,
// halves away from zero, as MulDiv rounds. A DPI below 1 counts as 96.
int ScaleToDpi(int designPixels, int dpi);
// Pixels at `dpi` in 96-DPI units, rounded the same way. At 96 DPI and above
// every value of the range that ScaleToDpi does not clamp comes back whole:
// ScaleFromDpi(ScaleToDpi(v, dpi), dpi) == v.
int ScaleFromDpi(int pixels, int dpi);

// A note's outer bounds.
struct NoteBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const NoteBounds&) const = default;
};

// The two DPIs that turn a note's stored bounds into screen pixels and back.
// Positions go with the system DPI: one factor for the whole desktop, about
// the primary display's top-left corner, which is what a program without DPI
// awareness was shown on a single display or on Windows 7 and 8, so every
// stored position has one place whatever display it falls on. Sizes go with
// the DPI of the display the note is on: a note stored 200 wide is 200
// pixels wide on a 100 % display and 300 on a 150 % one, as designed.
struct NoteDpi {
  int system = kDesignDpi;
  int display = kDesignDpi;
};

NoteBounds StoredToScreen(const NoteBounds& stored, NoteDpi dpi);
NoteBounds ScreenToStored(const NoteBounds& screen, NoteDpi dpi);

}  // namespace wisplet
