#include "base/panel.h"

#include <algorithm>

#include "base/win32_handles.h"

namespace wisplet {
namespace {
const wchar_t kClassName[] = L"TWispletPanel";
constexpr int kWheelLines = 3;
constexpr int kLinePixels = 16;
}  // namespace

Panel::Panel(HWND parent, int id, Options options) : options_(options) {
  RegisterWindowClass(kClassName, 0, nullptr);
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | (options.scrolls ? WS_VSCROLL : 0);
  // The dialog manager walks into a control parent for Tab and mnemonics.
  Create(kClassName, WS_EX_CONTROLPARENT, style, 0, 0, 0, 0, parent, id);
}

void Panel::SetContentHeight(int height) {
  contentHeight_ = height;
  UpdateScrollBar();
}

void Panel::UpdateScrollBar() {
  if (!options_.scrolls || !m_hwnd) return;
  RECT client{};
  GetClientRect(m_hwnd, &client);
  SCROLLINFO si{sizeof si};
  si.fMask = SIF_RANGE | SIF_PAGE;
  si.nMin = 0;
  si.nMax = std::max(0, contentHeight_ - 1);
  si.nPage = static_cast<UINT>(std::max<LONG>(0, client.bottom));
  SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
  // A panel that grew may now show everything: scroll back as far as needed.
  ScrollTo(scroll_);
}

void Panel::ScrollTo(int position) {
  RECT client{};
  GetClientRect(m_hwnd, &client);
  int limit = std::max(0, contentHeight_ - static_cast<int>(client.bottom));
  position = std::clamp(position, 0, limit);
  if (position == scroll_) return;
  ScrollWindowEx(m_hwnd, 0, scroll_ - position, nullptr, nullptr, nullptr, nullptr,
                 SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  scroll_ = position;
  SetScrollPos(m_hwnd, SB_VERT, scroll_, TRUE);
}

void Panel::SetFrameWidth(int width) {
  options_.frameWidth = width;
  InvalidateRect(m_hwnd, nullptr, TRUE);
}

void Panel::ScrollIntoView(HWND child) {
  if (!options_.scrolls || !IsChild(m_hwnd, child)) return;
  RECT r{}, client{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&r), 2);
  GetClientRect(m_hwnd, &client);
  if (r.top < 0)
    ScrollTo(scroll_ + r.top);
  else if (r.bottom > client.bottom)
    ScrollTo(scroll_ + std::min(r.top, r.bottom - client.bottom));
}

void Panel::SetBackground(COLORREF color) {
  options_.background = color;
  InvalidateRect(m_hwnd, nullptr, TRUE);
}

void Panel::Paint(HDC dc) {
  RECT r{};
  GetClientRect(m_hwnd, &r);
  if (options_.background == CLR_INVALID) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  } else {
    GdiObject brush(CreateSolidBrush(options_.background));
    FillRect(dc, &r, static_cast<HBRUSH>(brush.get()));
  }
  switch (options_.frame) {
    case Frame::None:
      break;
    case Frame::LoweredInner: {
      // The border's room first, then a one-pixel lowered bevel around the inside.
      RECT border = r;
      FillRect(dc, &border, GetSysColorBrush(COLOR_BTNFACE));
      InflateRect(&r, 1 - options_.frameWidth, 1 - options_.frameWidth);
      DrawEdge(dc, &r, BDR_SUNKENINNER, BF_RECT);
      break;
    }
    case Frame::Raised:
      DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
      break;
  }
}

LRESULT Panel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return SendMessageW(GetParent(m_hwnd), msg, wParam, lParam);
    case WM_HSCROLL:
      // A track bar's notifications; the panel itself only scrolls vertically.
      return SendMessageW(GetParent(m_hwnd), msg, wParam, lParam);
    case WM_VSCROLL: {
      if (lParam) return SendMessageW(GetParent(m_hwnd), msg, wParam, lParam);
      RECT client{};
      GetClientRect(m_hwnd, &client);
      SCROLLINFO si{sizeof si};
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(m_hwnd, SB_VERT, &si);
      switch (LOWORD(wParam)) {
        case SB_LINEUP: ScrollTo(scroll_ - kLinePixels); break;
        case SB_LINEDOWN: ScrollTo(scroll_ + kLinePixels); break;
        case SB_PAGEUP: ScrollTo(scroll_ - client.bottom); break;
        case SB_PAGEDOWN: ScrollTo(scroll_ + client.bottom); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: ScrollTo(si.nTrackPos); break;
        case SB_TOP: ScrollTo(0); break;
        case SB_BOTTOM: ScrollTo(contentHeight_); break;
      }
      return 0;
    }
    case WM_MOUSEWHEEL:
      if (!options_.scrolls) break;
      ScrollTo(scroll_ - GET_WHEEL_DELTA_WPARAM(wParam) * kWheelLines * kLinePixels / WHEEL_DELTA);
      return 0;
    case WM_SIZE:
      UpdateScrollBar();
      InvalidateRect(m_hwnd, nullptr, TRUE);
      break;
    case WM_ERASEBKGND:
      return 1;  // painted in WM_PAINT
    case WM_PAINT:
    case WM_PRINTCLIENT:
      PaintMessage(msg, wParam, [this](HDC dc, const RECT&) { Paint(dc); });
      return 0;
  }
  return DefaultHandling(msg, wParam, lParam);
}

}  // namespace wisplet
