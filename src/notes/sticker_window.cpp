#include "notes/sticker_window.h"

#include <algorithm>
#include <vector>

#include "base/contrast.h"
#include "base/dpi.h"
#include "base/gdi_surface.h"
#include "base/menu_look.h"
#include "base/wide_text.h"
#include "model/high_contrast.h"
#include "notes/note_accessible.h"
#include "notes/note_resources.h"
#include "notes/sticker_parts.h"

namespace wisplet {

using namespace note_parts;

namespace {

const wchar_t kClassName[] = L"TStickerWindow";
// Posted to run the shortcuts released during a move or size loop.
constexpr UINT kRunDeferredCommands = WM_APP + 1;
// Posted when a screen reader presses a title-bar button (wParam: its part).
constexpr UINT kPressButton = WM_APP + 2;
constexpr DWORD kStyle = WS_POPUP | WS_CLIPCHILDREN | WS_BORDER;  // 0x82800000

std::string NowAsId() {
  wchar_t date[128] = {}, time[128] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 128);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, 128);
  return Utf8(std::wstring(date) + time);
}

Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info)) {
    // A work area never reaches beyond its display (Wine can report one that
    // does for a moment after the display changed).
    RECT work{};
    if (!IntersectRect(&work, &info.rcWork, &info.rcMonitor)) work = info.rcMonitor;
    reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back({ToRect(info.rcMonitor), ToRect(work)});
  }
  return TRUE;
}

// The work area for a note at `r`, read afresh: with several displays that of
// the display nearest to it, so that a note on a second display stays there.
Rect WorkAreaOf(const Rect& r) {
  std::vector<MonitorArea> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (!monitors.empty()) return NearestWorkArea(monitors, r);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return ToRect(work);
}

}  // namespace

TStickerWindow::TStickerWindow(NoteHost& host) : host_(host) {
  RegisterWindowClass(kClassName, CS_SAVEBITS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                      reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  // Built hidden at the primary display's corner, at the size for its DPI.
  dpi_ = DpiOfPoint(POINT{0, 0});
  Create(kClassName, WS_EX_TOOLWINDOW, kStyle, 0, 0, DefaultNoteWidthAt(dpi_), InitialNoteHeightAt(dpi_), nullptr);
  if (m_hwnd) dpi_ = WindowDpi(m_hwnd);
  unplacedBounds_ = RECT{0, 0, DefaultNoteWidthAt(dpi_), InitialNoteHeightAt(dpi_)};
  ID = NowAsId();
  for (TGradient* g : {&memoGradient_, &titleGradient_}) {
    g->SetActive(true);
    g->SetOrientation(fgdHorizontal);
    g->SetOnChange([this] { Invalidate(nullptr); });
  }
}

TStickerWindow::~TStickerWindow() {
  if (!accessible_) return;
  accessible_->Disconnect();
  accessible_->Release();
}

void TStickerWindow::RebuildMenu() {
  if (!noteMenu_) return;  // built when it is first opened, in the look of that moment
  ClearLookMenu(noteMenu_);
  for (const MenuItem& item : kMenuItems)
    AppendLookItem(noteMenu_, static_cast<UINT_PTR>(item.command), item.caption);
}

HMENU TStickerWindow::NoteMenu() {
  if (!noteMenu_) {
    noteMenu_ = CreatePopupMenu();
    RebuildMenu();
  }
  return noteMenu_;
}

NoteLayout TStickerWindow::Layout() const {
  RECT r = Bounds();
  return NoteLayout{r.right - r.left, r.bottom - r.top, Res().LineHeight(), dpi_};
}

void TStickerWindow::SetDpi(int dpi) {
  if (dpi == dpi_) return;
  // The buttons' tools move to the tooltip of the new DPI at the next mouse move.
  RemoveTooltips();
  tooltipsAdded_ = false;
  dpi_ = dpi;
}

void TStickerWindow::DpiChangedTo(int dpi, const RECT* suggested) {
  // A note laid out for this DPI already (placed from the settings file on
  // this display) keeps its size.
  if (dpi == dpi_) return;
  const RECT before = Bounds();
  const int from = dpi_;
  SetDpi(dpi);
  const RECT r = suggested ? *suggested : RescaledBounds(before, from, dpi);
  SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  Invalidate(nullptr);
}

RECT TStickerWindow::Bounds() const {
  if (!placed_) return unplacedBounds_;
  RECT r{};
  GetWindowRect(m_hwnd, &r);
  return r;
}

Rect TStickerWindow::BoundsRect() const { return ToRect(Bounds()); }

void TStickerWindow::SetBounds(int left, int top, int width, int height) {
  TextExtent size = ConstrainNoteSize(width, height, Res().LineHeight(), dpi_);
  if (!placed_) {
    unplacedBounds_ = RECT{left, top, left + size.width, top + size.height};
    return;
  }
  SetWindowPos(m_hwnd, nullptr, left, top, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TStickerWindow::SetLeft(int left) {
  RECT r = Bounds();
  SetBounds(left, r.top, r.right - r.left, r.bottom - r.top);
}
void TStickerWindow::SetTop(int top) {
  RECT r = Bounds();
  SetBounds(r.left, top, r.right - r.left, r.bottom - r.top);
}
void TStickerWindow::SetWidth(int width) {
  RECT r = Bounds();
  SetBounds(r.left, r.top, width, r.bottom - r.top);
}
void TStickerWindow::SetHeight(int height) {
  RECT r = Bounds();
  SetBounds(r.left, r.top, r.right - r.left, height);
}

void TStickerWindow::SetTitle(const std::string& title) {
  Title = title;
  titleWide_ = Wide(title);
  // The window's own name, which task switchers and screen readers show.
  SetWindowTextW(m_hwnd, Wide(NoteAccessibleName(title)).c_str());
  FitToContent();
  AccessibleChanged();
}

void TStickerWindow::SetMemo(const std::string& memo) {
  Memo = memo;
  memoWide_ = Wide(memo);
  FitToContent();
  AccessibleChanged();
}

TextExtent TStickerWindow::Measure(Measured& last, HFONT font, const std::wstring& text, int wrap) {
  if (!last.valid || last.font != font || last.wrap != wrap || last.text != text) {
    SIZE size = NoteResources::Get().MeasureText(font, text, wrap);
    last = Measured{true, font, text, wrap, TextExtent{size.cx, size.cy}};
  }
  return last.extent;
}

void TStickerWindow::FitToContent() {
  NoteResources::AtDpi& res = Res();
  int titleWidth = Measure(measuredTitle_, res.TitleFont(), titleWide_, 0).width;
  TextExtent size = wisplet::FitToContent(
      titleWidth, res.LineHeight(),
      [&](int wrapWidth) { return Measure(measuredMemo_, res.MemoFont(), memoWide_, std::max(wrapWidth, 1)); },
      dpi_);
  RECT r = Bounds();
  SetBounds(r.left, r.top, size.width, size.height);
  Invalidate(nullptr);
}

void TStickerWindow::ApplyScheme(const TColorScheme& scheme) {
  Scheme = scheme;
  ApplyGradients();
}

TColorScheme TStickerWindow::PaintScheme() const { return SchemeToPaint(Scheme, HighContrastOn()); }

void TStickerWindow::ApplyGradients() {
  const TColorScheme paint = PaintScheme();
  auto apply = [](TGradient& g, TColor base, TColor end, std::uint8_t type) {
    // No color switches the area's gradient off; "None" paints it solid.
    g.SetActive(base != clNone);
    if (base == clNone) return;
    g.SetFromColor(base, ResolveColor);
    if (type == fgdNone) {
      g.SetToColor(base, ResolveColor);
      g.SetOrientation(fgdHorizontal);
    } else {
      g.SetToColor(end, ResolveColor);
      g.SetOrientation(static_cast<TglGradientDir>(type));
    }
  };
  apply(titleGradient_, paint.TitleColor, paint.TitleGradColor, paint.TitleGradType);
  apply(memoGradient_, paint.MemoColor, paint.MemoGradColor, paint.MemoGradType);
  Invalidate(nullptr);
}

// --- States -----------------------------------------------------------------

void TStickerWindow::SetActive(bool active) {
  Active = active;
  if (active)
    ShowNote();
  else
    HideNote();
}

void TStickerWindow::ShowNote() {
  if (!Active) return;
  SetTransparency(PaintScheme().AlphaBlendValue);
  SetOnTop(OnTop);
  Place();
  RECT r = Bounds();
  SetWindowPos(m_hwnd, HWND_TOP, r.left, r.top, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
}

void TStickerWindow::HideNote() {
  Place();
  SetWindowPos(m_hwnd, nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

void TStickerWindow::Place() {
  if (placed_) return;
  placed_ = true;
  const RECT r = unplacedBounds_;
  SetWindowPos(m_hwnd, OnTop ? HWND_TOPMOST : HWND_NOTOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOACTIVATE);
}

// Nothing of a note is on the screen before it is first shown, and asking the
// window system to repaint a part of it costs a round trip each time.
void TStickerWindow::Invalidate(const RECT* area) {
  if (m_hwnd && placed_) InvalidateRect(m_hwnd, area, FALSE);
}

void TStickerWindow::InvalidatePart(NotePart part) {
  Rect r = Layout().PartRect(part);
  RECT rc{r.left, r.top, r.right, r.bottom};
  Invalidate(&rc);
}

void TStickerWindow::SetOnTop(bool onTop) {
  OnTop = onTop;
  // The tooltip names what a click will do.
  onTopTip_ = onTop ? L"Normal" : L"OnTop";
  SetTooltipText(NotePart::OnTopButton, onTopTip_);
  if (placed_)  // else the request that first shows or hides the note sets the band
    SetWindowPos(m_hwnd, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  InvalidatePart(NotePart::OnTopButton);
  AccessibleChanged();
}

void TStickerWindow::SetMinState(bool minState) {
  MinState = minState;
  unsigned char edges = SnapEdges;
  RECT before = Bounds();
  if (minState) {
    SetBounds(before.left, before.top, DefaultNoteWidthAt(dpi_), Layout().MinHeight());
  } else {
    FitToContent();
  }
  // A note docked at an edge rolls up and down toward that edge.
  RECT now = Bounds();
  int w = now.right - now.left, h = now.bottom - now.top;
  if (edges & SnapLeft) SetLeft(before.left);
  if (edges & SnapTop) SetTop(before.top);
  if (edges & SnapRight) SetLeft(before.right - w);
  if (edges & SnapBottom) SetTop(before.bottom - h);
  Invalidate(nullptr);
  AccessibleChanged();
}

void TStickerWindow::SetTransparency(int percent) {
  HMODULE user32 = GetModuleHandleW(L"USER32.DLL");
  if (!user32) return;
  using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  auto setLayered = reinterpret_cast<SetLayeredFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
  if (!setLayered) return;
  // A hand-edited translucency above 100 means fully transparent, never less.
  percent = std::clamp(percent, 0, 100);
  LONG exStyle = GetWindowLongW(m_hwnd, GWL_EXSTYLE);
  if (!(exStyle & WS_EX_LAYERED)) SetWindowLongW(m_hwnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  setLayered(m_hwnd, 0, static_cast<BYTE>((100 - percent) * 255 / 100), LWA_ALPHA);
}

void TStickerWindow::WMActivate(WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case WA_CLICKACTIVE: SetTransparency(0); break;
    case WA_INACTIVE: SetTransparency(PaintScheme().AlphaBlendValue); break;
    default: break;
  }
}

// --- Screen readers ----------------------------------------------------------

NoteFacts TStickerWindow::AccessibleFacts() const {
  return NoteFacts{Title, Memo, OnTop, MinState, m_hwnd && GetFocus() == m_hwnd, Layout()};
}

void TStickerWindow::AccessibleChanged() {
  // Nothing of a note is on the screen before it is first shown or hidden.
  if (placed_) NotifyAccessibleChanges(m_hwnd, described_, DescribeNote(AccessibleFacts()));
}

LRESULT TStickerWindow::WMGetObject(WPARAM wParam, LPARAM lParam) {
  if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) return DefaultHandling(WM_GETOBJECT, wParam, lParam);
  if (!accessible_) {
    accessible_ = new NoteAccessible(
        m_hwnd, [this] { return AccessibleFacts(); },
        [this](int child) { PostMessageW(m_hwnd, kPressButton, static_cast<WPARAM>(NoteButtonOfChild(child)), 0); });
    described_ = DescribeNote(AccessibleFacts());
  }
  return accessible_->Answer(wParam);
}

// --- Moving, sizing and snapping ---------------------------------------------

void TStickerWindow::WMWindowPosChanging(WINDOWPOS& pos) {
  if (!(pos.flags & SWP_NOMOVE)) {
    // A request without a size (showing the note, a pure move) keeps the
    // note's own size.
    RECT now = Bounds();
    bool sized = !(pos.flags & SWP_NOSIZE);
    Rect proposed = RectAt(pos.x, pos.y, sized ? pos.cx : now.right - now.left, sized ? pos.cy : now.bottom - now.top);
    Snapped placed = wisplet::SnapMove(proposed, WorkAreaOf(proposed), SnapTargets(host_.NoteList(), this),
                                       SnapDistanceAt(dpi_));
    pos.x = placed.left;
    pos.y = placed.top;
    SnapEdges = placed.edges;
  } else if (!(pos.flags & SWP_SHOWWINDOW) && placed_) {
    SnapInPlace();
  }
  // The minimum size holds for every request, whoever makes it.
  if (!(pos.flags & SWP_NOSIZE)) {
    TextExtent size = ConstrainNoteSize(pos.cx, pos.cy, Res().LineHeight(), dpi_);
    pos.cx = size.width;
    pos.cy = size.height;
  }
}

void TStickerWindow::SnapInPlace() {
  const Rect before = BoundsRect();
  const int w = before.right - before.left, h = before.bottom - before.top;
  SnapEdges = wisplet::SnapInPlace(
      before, WorkAreaOf,
      [&](int left, int top) {
        SetBounds(left, top, w, h);  // a request of its own, which sets SnapEdges
        return Moved{BoundsRect(), SnapEdges};
      },
      SnapTargets(host_.NoteList(), this));
}

LRESULT TStickerWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  auto clientPoint = [&] { return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; };
  auto buttonOf = [&](UINT m) {
    switch (m) {
      case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: return VK_LBUTTON;
      case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return VK_RBUTTON;
      default: return VK_MBUTTON;
    }
  };
  switch (msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      PaintMessage(msg, wParam, [this](HDC dc, const RECT& area) { Paint(dc, area); });
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers everything
    case WM_SIZE:
      MoveTooltips();
      Invalidate(nullptr);
      AccessibleChanged();
      return 0;
    case WM_GETOBJECT:
      return WMGetObject(wParam, lParam);
    case kPressButton:
      ClickButton(static_cast<NotePart>(wParam));
      return 0;
    case WM_WINDOWPOSCHANGING:
      WMWindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
      break;
    case WM_DPICHANGED:
      DpiChangedTo(NewDpiOf(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DISPLAYCHANGE:
      NoteResources::Get().DisplayChanged(static_cast<int>(wParam));
      // Systems that tell no window of a new scale: the note asks.
      DpiChangedTo(WindowDpi(m_hwnd), nullptr);
      // A note left outside the displays, or under a task bar that grew,
      // comes back without having to be found and clicked first.
      if (Visible()) SnapInPlace();
      break;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
      if (msg == WM_SETTINGCHANGE && wParam == SPI_SETWORKAREA && Visible()) SnapInPlace();
      if (ContrastMayHaveChanged(msg, wParam)) {
        // High contrast switched on or off, or the theme's colors changed:
        // painted afresh, and opaque while high contrast is on.
        ApplyGradients();
        if (Visible() && GetForegroundWindow() != m_hwnd) SetTransparency(PaintScheme().AlphaBlendValue);
        Invalidate(nullptr);
      }
      break;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = {DefaultNoteWidthAt(dpi_), Layout().MinHeight()};
      return 0;
    }
    case WM_ACTIVATE:
      WMActivate(wParam);
      break;
    case WM_MOUSEMOVE:
      if (!tooltipsAdded_) {
        DWORD at = GetMessagePos();
        AddTooltips(MSG{m_hwnd, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()),
                        POINT{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))}});
      }
      break;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(m_hwnd, &p);
        NoteMouseMove(Layout().HitTest(p.x, p.y), p);
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      MouseDown(buttonOf(msg), false, clientPoint());
      return 0;
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
      MouseDown(buttonOf(msg), true, clientPoint());
      return 0;
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
      MouseUp(buttonOf(msg), clientPoint());
      return 0;
    case WM_CAPTURECHANGED:
      // Someone else took the mouse (a menu, a message box, the move loop):
      // the release will not come here.
      if (reinterpret_cast<HWND>(lParam) != m_hwnd) CancelPress();
      break;
    case WM_ENTERSIZEMOVE:
      inSizeMove_ = true;
      break;
    case WM_EXITSIZEMOVE:
      inSizeMove_ = false;
      // Run once the loop has unwound, not from inside it.
      if (!deferredCommands_.empty()) PostMessageW(m_hwnd, kRunDeferredCommands, 0, 0);
      break;
    case kRunDeferredCommands:
      if (!inSizeMove_) RunDeferredCommands();
      return 0;
    case WM_CLOSE:
      // Alt+F4 or a close request from outside: the window must live as long
      // as the note is listed, so it is hidden as by the Hide command.
      ExecuteCommand(CmdHide);
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      NoteKeyUp(wParam);
      if (wParam == VK_F10) return 0;  // F10 would otherwise enter menu mode
      break;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F10) return 0;
      break;
    case WM_MEASUREITEM:
      if (MeasureMenuItem(m_hwnd, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_DRAWITEM:
      if (DrawMenuItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_MENUCHAR: {
      LRESULT result = 0;
      if (MenuCharResult(wParam, lParam, result)) return result;
      break;
    }
    case WM_DESTROY:
      if (accessible_) accessible_->Disconnect();
      RemoveTooltips();
      if (noteMenu_) ClearLookMenu(noteMenu_);
      if (noteMenu_) DestroyMenu(noteMenu_);
      noteMenu_ = nullptr;
      break;
  }
  return DefaultHandling(msg, wParam, lParam);
}

}  // namespace wisplet
