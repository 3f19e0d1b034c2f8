// A note window's painting: its two gradient panels, the title and the
// text, the title-bar buttons, and the buttons' tooltips.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "base/contrast.h"
#include "base/gdi_surface.h"
#include "base/wide_text.h"
#include "model/high_contrast.h"
#include "notes/note_resources.h"
#include "notes/sticker_parts.h"
#include "notes/sticker_window.h"
#include "resources/resource.h"

namespace wisplet {

using namespace note_parts;

namespace {

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

// The tooltip's tool of a title-bar button, with its rectangle when a layout
// is given.
TTTOOLINFOW ToolOf(HWND note, NotePart button, const NoteLayout* layout = nullptr) {
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = note;
  ti.uId = static_cast<UINT_PTR>(button);
  if (layout) {
    Rect r = layout->PartRect(button);
    ti.rect = RECT{r.left, r.top, r.right, r.bottom};
  }
  return ti;
}

}  // namespace

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

  NoteResources::AtDpi& res = Res();
  const bool highContrast = HighContrastOn();
  const TColorScheme paint = SchemeToPaint(Scheme, highContrast);
  SetBkMode(dc, TRANSPARENT);
  auto drawLabel = [&](const Rect& r, HFONT font, TColor color, const std::wstring& text, UINT flags) {
    RECT box{r.left, r.top, r.right, r.bottom}, visible{};
    if (text.empty() || !IntersectRect(&visible, &box, &area)) return;
    SelectObjectScope selectFont(dc, font);
    SetTextColor(dc, ToColorRef(color));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, flags | DT_EXPANDTABS);
  };
  drawLabel(layout.TitleLabel(), res.TitleFont(), paint.TitleFontColor, titleWide_, MinState ? DT_LEFT : DT_CENTER);
  drawLabel(layout.MemoLabel(), res.MemoFont(), paint.MemoFontColor, memoWide_, DT_LEFT | DT_WORDBREAK);

  // With high contrast on, the glyphs take the title's text color, which the
  // theme sets apart from the title bar's.
  std::optional<COLORREF> glyphColor;
  if (highContrast) glyphColor = ToColorRef(paint.TitleFontColor);
  for (NotePart button : kButtons)
    PaintButton(dc, layout, button, GlyphOf(button) + (pressedButton_ == button), glyphColor);
}

void TStickerWindow::PaintButton(HDC dc, const NoteLayout& layout, NotePart part, int glyph,
                                 std::optional<COLORREF> color) {
  const NoteResources::GlyphImage* image = Res().Glyph(glyph);
  if (!image) return;
  // As drawn for the note's DPI, unstretched, at the button's top-left
  // corner and clipped to the button; white is transparent.
  Rect r = layout.PartRect(part);
  int w = std::min(image->width, r.right - r.left);
  int h = std::min(image->height, r.bottom - r.top);
  // The mask clears the glyph's pixels to black, the picture is laid over
  // them - or a brush of the color: destination OR (brush AND NOT mask).
  BitBlt(dc, r.left, r.top, w, h, image->maskDc.get(), 0, 0, SRCAND);
  if (!color) {
    BitBlt(dc, r.left, r.top, w, h, image->pictureDc.get(), 0, 0, SRCPAINT);
    return;
  }
  constexpr DWORD kPaintBrushWhereMaskIsBlack = 0x00BA0B09;  // DPSnao
  GdiObject brush(CreateSolidBrush(*color));
  SelectObjectScope select(dc, brush.get());
  BitBlt(dc, r.left, r.top, w, h, image->maskDc.get(), 0, 0, kPaintBrushWhereMaskIsBlack);
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

// The notes at one DPI share one tooltip window; each note adds its four
// buttons to it once and then only moves them and changes the on-top
// button's text.
void TStickerWindow::AddTooltips(const MSG& firstMove) {
  HWND tip = Res().Tooltip();
  tooltipsAdded_ = true;
  if (!tip) return;
  NoteLayout layout = Layout();
  for (NotePart button : kButtons) {
    TTTOOLINFOW ti = ToolOf(m_hwnd, button, &layout);
    ti.uFlags = TTF_SUBCLASS;
    // The buttons' tooltips are also their names for screen readers.
    std::wstring text = button == NotePart::OnTopButton ? onTopTip_ : Wide(NoteButtonTooltip(button, OnTop));
    ti.lpszText = text.data();  // copied by the tooltip
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
  // Later moves reach the tooltip through its subclass of the note.
  SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&firstMove));
}

void TStickerWindow::MoveTooltips() {
  HWND tip = tooltipsAdded_ ? Res().Tooltip() : nullptr;
  if (!tip) return;
  NoteLayout layout = Layout();
  for (NotePart button : kButtons) {
    TTTOOLINFOW ti = ToolOf(m_hwnd, button, &layout);
    SendMessageW(tip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

void TStickerWindow::SetTooltipText(NotePart button, const wchar_t* text) {
  HWND tip = tooltipsAdded_ ? Res().Tooltip() : nullptr;
  if (!tip) return;
  TTTOOLINFOW ti = ToolOf(m_hwnd, button);
  ti.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void TStickerWindow::RemoveTooltips() {
  HWND tip = tooltipsAdded_ ? Res().Tooltip() : nullptr;
  if (!tip) return;
  for (NotePart button : kButtons) {
    TTTOOLINFOW ti = ToolOf(m_hwnd, button);
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

}  // namespace wisplet
