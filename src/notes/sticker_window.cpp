#include "notes/sticker_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/menu_look.h"
#include "base/wide_text.h"
#include "base/win32_handles.h"
#include "model/errors.h"
#include "base/gdi_surface.h"
#include "notes/note_resources.h"
#include "resources/resource.h"

namespace wisplet {
namespace {

const wchar_t kClassName[] = L"TStickerWindow";
// Posted to run the shortcuts released during a move or size loop.
constexpr UINT kRunDeferredCommands = WM_APP + 1;
constexpr DWORD kStyle = WS_POPUP | WS_CLIPCHILDREN | WS_BORDER;  // 0x82800000

struct MenuItem {
  int command;
  const char* caption;  // with the shortcut shown beside it
  UINT key;
  bool ctrl;
};
constexpr MenuItem kMenuItems[] = {
    {TStickerWindow::CmdEdit, "&Edit Note\tCtrl+E", 'E', true},
    {TStickerWindow::CmdNew, "&New Note\tCtrl+N", 'N', true},
    {TStickerWindow::CmdCopy, "&Copy Note to Clipboard\tCtrl+C", 'C', true},
    {0, nullptr, 0, false},
    {TStickerWindow::CmdOnTop, "OnTop\tCtrl+T", 'T', true},
    {TStickerWindow::CmdHide, "Hide\tCtrl+H", 'H', true},
    {0, nullptr, 0, false},
    {TStickerWindow::CmdClose, "Close\tF10", VK_F10, false},
};

constexpr NotePart kButtons[] = {NotePart::MenuButton, NotePart::CloseButton, NotePart::OnTopButton,
                                 NotePart::HideButton};

bool IsButton(NotePart part) {
  return std::find(std::begin(kButtons), std::end(kButtons), part) != std::end(kButtons);
}

std::string NowAsId() {
  wchar_t date[128] = {}, time[128] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 128);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, 128);
  return Utf8(std::wstring(date) + time);
}

COLORREF ToColorRef(TColor color) { return static_cast<COLORREF>(ResolveColor(color)); }

// Passes on to a surface only the diagonal lines that can touch the area
// being painted: a tall note has tens of thousands of them, and drawing them
// all for a small repaint, clipped away, costs far more than the repaint.
// Its color depth is the display's as last reported: asking a device context
// for it can cost more than painting a whole note.
class AreaSurface : public DrawingSurface {
 public:
  AreaSurface(DrawingSurface& target, const RECT& area, int bitsPerPixel)
      : target_(target), area_(area), bitsPerPixel_(bitsPerPixel) {}
  void FillRect(int left, int top, int right, int bottom, std::uint32_t rgb) override {
    target_.FillRect(left, top, right, bottom, rgb);
  }
  void Line(int x1, int y1, int x2, int y2, std::uint32_t rgb, int penWidth) override {
    int reach = std::max(penWidth, 1);
    if (std::max(x1, x2) + reach < area_.left || std::min(x1, x2) - reach >= area_.right ||
        std::max(y1, y2) + reach < area_.top || std::min(y1, y2) - reach >= area_.bottom)
      return;
    target_.Line(x1, y1, x2, y2, rgb, penWidth);
  }
  int BitsPerPixel() const override { return bitsPerPixel_; }

 private:
  DrawingSurface& target_;
  RECT area_;
  int bitsPerPixel_;
};

// Opens the clipboard for one scope.
class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner) : open_(OpenClipboard(owner) != 0) {}
  ~ClipboardScope() {
    if (open_) CloseClipboard();
  }
  bool Open() const { return open_; }

 private:
  bool open_;
};

// Hands a block of global memory to the clipboard; it stays ours if that fails.
void PutOnClipboard(UINT format, const void* data, std::size_t size) {
  GlobalMem block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
  if (!block) return;
  if (void* p = GlobalLock(block.get())) {
    std::memcpy(p, data, size);
    GlobalUnlock(block.get());
    if (SetClipboardData(format, block.get())) block.release();
  }
}

// A locale whose ANSI code page is the system's: the user's where it is,
// else the system's own, which sets that code page.
LCID AnsiCodePageLocale() {
  const LCID user = GetUserDefaultLCID();
  DWORD codePage = 0;
  if (GetLocaleInfoW(user, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&codePage),
                     sizeof codePage / sizeof(wchar_t)) &&
      codePage == GetACP())
    return user;
  return GetSystemDefaultLCID();
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
  Create(kClassName, WS_EX_TOOLWINDOW, kStyle, 0, 0, DefaultNoteWidth, InitialNoteHeight, nullptr);
  unplacedBounds_ = RECT{0, 0, DefaultNoteWidth, InitialNoteHeight};
  ID = NowAsId();
  for (TGradient* g : {&memoGradient_, &titleGradient_}) {
    g->SetActive(true);
    g->SetOrientation(fgdHorizontal);
    g->SetOnChange([this] { Invalidate(nullptr); });
  }
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
  return NoteLayout{r.right - r.left, r.bottom - r.top, NoteResources::Get().LineHeight()};
}

RECT TStickerWindow::Bounds() const {
  if (!placed_) return unplacedBounds_;
  RECT r{};
  GetWindowRect(m_hwnd, &r);
  return r;
}

Rect TStickerWindow::BoundsRect() const { return ToRect(Bounds()); }

void TStickerWindow::SetBounds(int left, int top, int width, int height) {
  TextExtent size = ConstrainNoteSize(width, height, NoteResources::Get().LineHeight());
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
  FitToContent();
}

void TStickerWindow::SetMemo(const std::string& memo) {
  Memo = memo;
  memoWide_ = Wide(memo);
  FitToContent();
}

TextExtent TStickerWindow::Measure(Measured& last, HFONT font, const std::wstring& text, int wrap) {
  if (!last.valid || last.wrap != wrap || last.text != text) {
    SIZE size = NoteResources::Get().MeasureText(font, text, wrap);
    last = Measured{true, text, wrap, TextExtent{size.cx, size.cy}};
  }
  return last.extent;
}

void TStickerWindow::FitToContent() {
  NoteResources& res = NoteResources::Get();
  int titleWidth = Measure(measuredTitle_, res.TitleFont(), titleWide_, 0).width;
  TextExtent size = wisplet::FitToContent(titleWidth, res.LineHeight(), [&](int wrapWidth) {
    return Measure(measuredMemo_, res.MemoFont(), memoWide_, std::max(wrapWidth, 1));
  });
  RECT r = Bounds();
  SetBounds(r.left, r.top, size.width, size.height);
  Invalidate(nullptr);
}

void TStickerWindow::ApplyScheme(const TColorScheme& scheme) {
  Scheme = scheme;
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
  apply(titleGradient_, Scheme.TitleColor, Scheme.TitleGradColor, Scheme.TitleGradType);
  apply(memoGradient_, Scheme.MemoColor, Scheme.MemoGradColor, Scheme.MemoGradType);
  Invalidate(nullptr);
}

// --- Painting ---------------------------------------------------------------

void TStickerWindow::Paint(HDC target, const RECT& requested) {
  // Only what the target can show: a note far taller than the screen is
  // asked to paint all of itself, but its device context clips to the screen.
  RECT clip{}, area{};
  if (GetClipBox(target, &clip) == ERROR || !IntersectRect(&area, &requested, &clip)) return;
  int w = area.right - area.left, h = area.bottom - area.top;
  // Drawn off screen first, so that nothing flickers; straight onto the
  // target if there is no memory for that.
  HDC dc = NoteResources::Get().PaintBuffer(target, w, h);
  if (!dc) {
    int saved = SaveDC(target);
    IntersectClipRect(target, area.left, area.top, area.right, area.bottom);
    PaintParts(target, area);
    RestoreDC(target, saved);
    return;
  }
  SetViewportOrgEx(dc, -area.left, -area.top, nullptr);
  PaintParts(dc, area);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  BitBlt(target, area.left, area.top, w, h, dc, 0, 0, SRCCOPY);
}

void TStickerWindow::PaintParts(HDC dc, const RECT& area) {
  FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
  NoteLayout layout = Layout();
  GdiSurface gdi(dc);
  AreaSurface surface(gdi, area, NoteResources::Get().DisplayDepth());
  // Each panel paints only within itself (the diagonal types reach one row
  // beyond their rectangle).
  auto fillPanel = [&](const Rect& r, const TGradient& g) {
    int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);  // logical, like r
    GradientFill(surface, r, g);
    RestoreDC(dc, saved);
  };
  fillPanel(layout.MemoBevel(), memoGradient_);
  fillPanel(layout.TitleBevel(), titleGradient_);

  NoteResources& res = NoteResources::Get();
  SetBkMode(dc, TRANSPARENT);
  auto drawLabel = [&](const Rect& r, HFONT font, TColor color, const std::wstring& text, UINT flags) {
    RECT box{r.left, r.top, r.right, r.bottom}, visible{};
    if (text.empty() || !IntersectRect(&visible, &box, &area)) return;
    SelectObjectScope selectFont(dc, font);
    SetTextColor(dc, ToColorRef(color));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, flags | DT_EXPANDTABS);
  };
  drawLabel(layout.TitleLabel(), res.TitleFont(), Scheme.TitleFontColor, titleWide_, MinState ? DT_LEFT : DT_CENTER);
  drawLabel(layout.MemoLabel(), res.MemoFont(), Scheme.MemoFontColor, memoWide_, DT_LEFT | DT_WORDBREAK);

  for (NotePart button : kButtons) PaintButton(dc, layout, button, GlyphOf(button) + (pressedButton_ == button));
}

void TStickerWindow::PaintButton(HDC dc, const NoteLayout& layout, NotePart part, int glyph) {
  const NoteResources::GlyphImage* image = NoteResources::Get().Glyph(glyph);
  if (!image) return;
  // Unscaled at the button's top-left corner, clipped to the button; white is
  // transparent.
  Rect r = layout.PartRect(part);
  int w = std::min(image->width, r.right - r.left);
  int h = std::min(image->height, r.bottom - r.top);
  // The mask clears the glyph's pixels to black, the picture is laid over them.
  BitBlt(dc, r.left, r.top, w, h, image->maskDc.get(), 0, 0, SRCAND);
  BitBlt(dc, r.left, r.top, w, h, image->pictureDc.get(), 0, 0, SRCPAINT);
}

int TStickerWindow::GlyphOf(NotePart button) const {
  switch (button) {
    case NotePart::MenuButton: return IDB_GLYPH_MENU;
    case NotePart::HideButton: return IDB_GLYPH_HIDE;
    case NotePart::OnTopButton: return OnTop ? IDB_GLYPH_PIN_ON : IDB_GLYPH_PIN_OFF;
    case NotePart::CloseButton: return IDB_GLYPH_CLOSE;
    default: return 0;
  }
}

// All notes share one tooltip window; each note adds its four buttons to it
// once and then only moves them and changes the on-top button's text.
void TStickerWindow::AddTooltips(const MSG& firstMove) {
  HWND tip = NoteResources::Get().Tooltip();
  tooltipsAdded_ = true;
  if (!tip) return;
  NoteLayout layout = Layout();
  for (NotePart button : kButtons) {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = m_hwnd;
    ti.uId = static_cast<UINT_PTR>(button);
    Rect r = layout.PartRect(button);
    ti.rect = RECT{r.left, r.top, r.right, r.bottom};
    const wchar_t* text = button == NotePart::MenuButton    ? L"Menu"
                          : button == NotePart::HideButton  ? L"Hide"
                          : button == NotePart::CloseButton ? L"Close"
                                                            : onTopTip_;
    ti.lpszText = const_cast<wchar_t*>(text);  // copied by the tooltip
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
  // Later moves reach the tooltip through its subclass of the note.
  SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&firstMove));
}

void TStickerWindow::MoveTooltips() {
  HWND tip = tooltipsAdded_ ? NoteResources::Get().Tooltip() : nullptr;
  if (!tip) return;
  NoteLayout layout = Layout();
  for (NotePart button : kButtons) {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = m_hwnd;
    ti.uId = static_cast<UINT_PTR>(button);
    Rect r = layout.PartRect(button);
    ti.rect = RECT{r.left, r.top, r.right, r.bottom};
    SendMessageW(tip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

void TStickerWindow::SetTooltipText(NotePart button, const wchar_t* text) {
  HWND tip = tooltipsAdded_ ? NoteResources::Get().Tooltip() : nullptr;
  if (!tip) return;
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = m_hwnd;
  ti.uId = static_cast<UINT_PTR>(button);
  ti.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void TStickerWindow::RemoveTooltips() {
  HWND tip = tooltipsAdded_ ? NoteResources::Get().Tooltip() : nullptr;
  if (!tip) return;
  for (NotePart button : kButtons) {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = m_hwnd;
    ti.uId = static_cast<UINT_PTR>(button);
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
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
  SetTransparency(Scheme.AlphaBlendValue);
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
}

void TStickerWindow::SetMinState(bool minState) {
  MinState = minState;
  unsigned char edges = SnapEdges;
  RECT before = Bounds();
  if (minState) {
    SetBounds(before.left, before.top, DefaultNoteWidth, Layout().MinHeight());
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
    case WA_INACTIVE: SetTransparency(Scheme.AlphaBlendValue); break;
    default: break;
  }
}

// --- Moving, sizing and snapping ---------------------------------------------

void TStickerWindow::WMWindowPosChanging(WINDOWPOS& pos) {
  if (!(pos.flags & SWP_NOMOVE)) {
    // A request without a size (showing the note, a pure move) keeps the
    // note's own size.
    RECT now = Bounds();
    bool sized = !(pos.flags & SWP_NOSIZE);
    Rect proposed = RectAt(pos.x, pos.y, sized ? pos.cx : now.right - now.left, sized ? pos.cy : now.bottom - now.top);
    Snapped placed = wisplet::SnapMove(proposed, WorkAreaOf(proposed), SnapTargets(host_.NoteList(), this));
    pos.x = placed.left;
    pos.y = placed.top;
    SnapEdges = placed.edges;
  } else if (!(pos.flags & SWP_SHOWWINDOW) && placed_) {
    SnapInPlace();
  }
  // The minimum size holds for every request, whoever makes it.
  if (!(pos.flags & SWP_NOSIZE)) {
    TextExtent size = ConstrainNoteSize(pos.cx, pos.cy, NoteResources::Get().LineHeight());
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

// --- Commands ---------------------------------------------------------------

void TStickerWindow::ExecuteCommand(int command) {
  switch (command) {
    case CmdEdit: host_.ShowEditNote(*this); break;
    case CmdNew: host_.ShowNewNote(); break;
    case CmdCopy: CopyToClipboard(); break;
    case CmdOnTop: SetOnTop(!OnTop); break;
    case CmdHide: SetActive(false); break;
    case CmdClose: CloseNote(); break;
    default: break;
  }
}

void TStickerWindow::CloseNote() {
  std::string text = "Close and remove Note: \"" + Title + "\" ?";
  if (MessageBoxW(m_hwnd, Wide(text).c_str(), L"Close Note", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  removed_ = true;
  host_.RemoveSticker(*this);
  SetActive(false);
  HideNote();
}

void TStickerWindow::CopyToClipboard() {
  // The note's own text as Unicode; for programs that read only 8-bit text,
  // the same in the ANSI code page with a locale of that code page.
  const std::wstring text = Wide(Title + ":\r\n" + Memo + "\r\n");
  const std::string ansi = ToCodePage(CP_ACP, text, /*lossy=*/true).value_or("");
  ClipboardScope clipboard(m_hwnd);
  if (!clipboard.Open()) throw Error("Cannot open clipboard");
  EmptyClipboard();
  LCID locale = AnsiCodePageLocale();
  PutOnClipboard(CF_LOCALE, &locale, sizeof locale);
  PutOnClipboard(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  PutOnClipboard(CF_TEXT, ansi.c_str(), ansi.size() + 1);
}

void TStickerWindow::OpenMenuAt(POINT screen) {
  SetForegroundWindow(m_hwnd);
  int command = static_cast<int>(TrackPopupMenu(NoteMenu(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON |
                                                                TPM_RETURNCMD | TPM_NONOTIFY,
                                                screen.x, screen.y, 0, m_hwnd, nullptr));
  PostMessageW(m_hwnd, WM_NULL, 0, 0);
  if (command) ExecuteCommand(command);
}

// --- Mouse and keyboard ----------------------------------------------------------

void TStickerWindow::MouseDown(int button, bool doubleClick, POINT client) {
  if (inSizeMove_ && GetCapture() == m_hwnd) return;  // the move or size loop owns the mouse
  inSizeMove_ = false;
  NotePart part = Layout().HitTest(client.x, client.y);
  if (IsButton(part)) {
    // The second press of a double click shows the pressed glyph but does
    // not click a second time.
    ButtonMouseDown(part, button == VK_LBUTTON && !doubleClick);
    return;
  }
  if (doubleClick && button == VK_LBUTTON && part == NotePart::TitleLabel) TitleDblClick();
  if (button != VK_LBUTTON) {
    // Held so that the release is seen wherever it happens.
    surfacePress_ = button;
    SetCapture(m_hwnd);
  }
  NoteMouseDown(button, part, client);
}

void TStickerWindow::MouseUp(int button, POINT client) {
  if (inSizeMove_ && GetCapture() == m_hwnd) return;
  if (pressedButton_ != NotePart::None) {
    ButtonMouseUp(button, client);
    return;
  }
  // A left press hands the mouse to the system's move or size loop, which
  // takes the release; other releases count only after a press on this note.
  if (button != surfacePress_) return;
  surfacePress_ = 0;
  if (GetCapture() == m_hwnd) ReleaseCapture();
  // Released over a button (whose release does nothing for this mouse
  // button) or off the note: no menu.
  RECT client_area{};
  GetClientRect(m_hwnd, &client_area);
  if (!PtInRect(&client_area, client)) return;
  NotePart part = Layout().HitTest(client.x, client.y);
  if (part == NotePart::None || IsButton(part)) return;
  NoteMouseUp(button, part, client);
}

void TStickerWindow::CancelPress() {
  surfacePress_ = 0;
  buttonClickArmed_ = false;
  if (pressedButton_ != NotePart::None) {
    InvalidatePart(pressedButton_);
    pressedButton_ = NotePart::None;
  }
}

void TStickerWindow::NoteMouseDown(int button, NotePart part, POINT client) {
  SetTransparency(0);
  if (button != VK_LBUTTON) return;
  ReleaseCapture();
  POINT screen = client;
  ClientToScreen(m_hwnd, &screen);
  WPARAM hit = Layout().InResizeZone(part, client.x, client.y) ? HTBOTTOMRIGHT : HTCAPTION;
  SendMessageW(m_hwnd, WM_NCLBUTTONDOWN, hit, MAKELPARAM(screen.x, screen.y));
}

void TStickerWindow::NoteMouseMove(NotePart part, POINT client) {
  bool zone = Layout().InResizeZone(part, client.x, client.y);
  SetCursor(LoadCursor(nullptr, zone ? IDC_SIZENWSE : IDC_ARROW));
}

void TStickerWindow::NoteMouseUp(int button, NotePart, POINT client) {
  if (button != VK_RBUTTON) return;
  POINT screen = client;
  ClientToScreen(m_hwnd, &screen);
  OpenMenuAt(screen);
}

void TStickerWindow::TitleDblClick() { SetMinState(!MinState); }

void TStickerWindow::ButtonMouseDown(NotePart button, bool clicks) {
  pressedButton_ = button;
  buttonClickArmed_ = clicks;
  SetCapture(m_hwnd);
  // Only the button changes; repainting a note with a long text is not cheap.
  InvalidatePart(button);
}

void TStickerWindow::ButtonMouseUp(int mouseButton, POINT client) {
  NotePart button = pressedButton_;
  bool clicks = buttonClickArmed_ && mouseButton == VK_LBUTTON;
  pressedButton_ = NotePart::None;
  buttonClickArmed_ = false;
  if (GetCapture() == m_hwnd) ReleaseCapture();
  InvalidatePart(button);
  // A click is a left press and release on the same button.
  Rect r = Layout().PartRect(button);
  if (!clicks || client.x < r.left || client.x >= r.right || client.y < r.top || client.y >= r.bottom) return;
  switch (button) {
    case NotePart::MenuButton: {
      RECT bounds = Bounds();
      OpenMenuAt({bounds.left + r.right, bounds.top + r.bottom});
      break;
    }
    case NotePart::CloseButton: ExecuteCommand(CmdClose); break;
    case NotePart::OnTopButton: ExecuteCommand(CmdOnTop); break;
    case NotePart::HideButton: ExecuteCommand(CmdHide); break;
    default: break;
  }
}

void TStickerWindow::NoteKeyUp(WPARAM key) {
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  bool shift = GetKeyState(VK_SHIFT) < 0;
  bool alt = GetKeyState(VK_MENU) < 0;
  for (const MenuItem& item : kMenuItems) {
    if (!item.caption || item.key != key || item.ctrl != ctrl || shift || alt) continue;
    // While the system moves or sizes the note it holds the mouse; a message
    // box or menu opened inside that loop could not be clicked. The command
    // waits for the loop to end.
    if (inSizeMove_)
      deferredCommands_.push_back(item.command);
    else
      ExecuteCommand(item.command);
  }
}

void TStickerWindow::RunDeferredCommands() {
  std::vector<int> commands;
  commands.swap(deferredCommands_);
  for (int command : commands) ExecuteCommand(command);
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
      return 0;
    case WM_WINDOWPOSCHANGING:
      WMWindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
      break;
    case WM_DISPLAYCHANGE:
      NoteResources::Get().DisplayChanged(static_cast<int>(wParam));
      // A note left outside the displays, or under a task bar that grew,
      // comes back without having to be found and clicked first.
      if (Visible()) SnapInPlace();
      break;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETWORKAREA && Visible()) SnapInPlace();
      break;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = {DefaultNoteWidth, NoteResources::Get().LineHeight() + 4};
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
      RemoveTooltips();
      if (noteMenu_) ClearLookMenu(noteMenu_);
      if (noteMenu_) DestroyMenu(noteMenu_);
      noteMenu_ = nullptr;
      break;
  }
  return DefaultHandling(msg, wParam, lParam);
}

}  // namespace wisplet
