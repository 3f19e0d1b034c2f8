#include "base/gdi_surface.h"

#include "base/win32_handles.h"

namespace wisplet {

void GdiSurface::FillRect(int left, int top, int right, int bottom, std::uint32_t rgb) {
  GdiObject brush(CreateSolidBrush(COLORREF(rgb & 0xFFFFFF)));
  if (!brush) return;
  const RECT rc{left, top, right, bottom};
  ::FillRect(dc_, &rc, static_cast<HBRUSH>(brush.get()));
}

void GdiSurface::Line(int x1, int y1, int x2, int y2, std::uint32_t rgb, int penWidth) {
  GdiObject pen(CreatePen(PS_SOLID, penWidth, COLORREF(rgb & 0xFFFFFF)));
  if (!pen) return;
  // The scope selects the old pen back before the pen is deleted.
  SelectObjectScope selected(dc_, pen.get());
  MoveToEx(dc_, x1, y1, nullptr);
  LineTo(dc_, x2, y2);
}

int GdiSurface::BitsPerPixel() const { return GetDeviceCaps(dc_, BITSPIXEL); }

std::uint32_t ResolveColor(TColor color) {
  if (IsSystemColor(color)) return GetSysColor(int(color & 0xFF)) & 0xFFFFFF;
  return color & 0xFFFFFF;
}

}  // namespace wisplet
