#pragma once
// A child container for the controls of a dialog: it passes its children's
// notifications on to its own parent, so that the dialog answers them all in
// one place, paints its background and frame, and can scroll its children
// vertically when it is too low to show them all.
#include <windows.h>

#include "base/window.h"

namespace wisplet {

class Panel : public Window {
 public:
  enum class Frame { None, LoweredInner, Raised };
  struct Options {
    COLORREF background = CLR_INVALID;  // CLR_INVALID: the system's button face
    Frame frame = Frame::None;
    int frameWidth = 0;  // the room the frame takes on each side
    bool scrolls = false;
  };
  Panel(HWND parent, int id, Options options);

  // The height the children need; a lower panel shows a vertical scroll bar.
  void SetContentHeight(int height);
  int ScrollPosition() const { return scroll_; }
  // Scrolls so that the child is fully in view.
  void ScrollIntoView(HWND child);
  // The frame's room at a new DPI.
  void SetFrameWidth(int width);
  // Another background color (CLR_INVALID: the system's button face).
  void SetBackground(COLORREF color);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  void UpdateScrollBar();
  void ScrollTo(int position);

  Options options_;
  int contentHeight_ = 0;
  int scroll_ = 0;
};

}  // namespace wisplet
