#include "notes/note_resources.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "base/dpi.h"
#include "resources/image_scale.h"

namespace wisplet {
namespace {

constexpr int kFirstGlyph = 100;

}  // namespace

NoteResources& NoteResources::Get() {
  static NoteResources resources;
  return resources;
}

NoteResources::NoteResources() { displayDepth_ = GetDeviceCaps(WindowDc().get(), BITSPIXEL); }

NoteResources::~NoteResources() {
  atDpi_.clear();
}

NoteResources::AtDpi& NoteResources::ForDpi(int dpi) {
  std::unique_ptr<AtDpi>& set = atDpi_[dpi];
  if (!set) set = std::make_unique<AtDpi>(dpi);
  return *set;
}

NoteResources::AtDpi::AtDpi(int dpi)
    : dpi_(dpi), titleFont_(CreateUiFont(dpi, true)), memoFont_(CreateUiFont(dpi, false)) {
  // The line height as this system draws the font, which need not be the 13
  // pixels it has on Windows at 96 dpi; every size of a note follows it.
  const WindowDc screen;
  SelectObjectScope select(screen.get(), memoFont_.get());
  TEXTMETRICW tm{};
  if (GetTextMetricsW(screen.get(), &tm)) lineHeight_ = tm.tmHeight;
}

NoteResources::AtDpi::~AtDpi() {
  if (tooltip_) DestroyWindow(tooltip_);
}

const NoteResources::GlyphImage* NoteResources::AtDpi::Glyph(int id) {
  if (id < kFirstGlyph || id >= kFirstGlyph + static_cast<int>(std::size(glyphs_))) return nullptr;
  GlyphImage& glyph = glyphs_[id - kFirstGlyph];
  if (glyph.picture) return &glyph;
  // Made once, so that drawing a glyph takes two plain copies; a copy that
  // looks for the transparent color costs far more, on every paint. The
  // picture is the one drawn for this DPI's scale, never a stretched one.
  GdiObject original(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ScaledImageId(id, dpi_)), IMAGE_BITMAP,
                                0, 0, 0));
  BITMAP info{};
  if (!original || !GetObjectW(original.get(), sizeof info, &info)) return nullptr;
  const int w = info.bmWidth, h = info.bmHeight;
  const WindowDc screen;
  MemoryDc source(CreateCompatibleDC(nullptr)), bits(CreateCompatibleDC(nullptr));
  GdiObject oneBit(CreateBitmap(w, h, 1, 1, nullptr));
  GlyphImage made;
  made.picture.reset(CreateCompatibleBitmap(screen.get(), w, h));
  made.mask.reset(CreateCompatibleBitmap(screen.get(), w, h));
  made.pictureDc.reset(CreateCompatibleDC(screen.get()));
  made.maskDc.reset(CreateCompatibleDC(screen.get()));
  if (!source || !bits || !oneBit || !made.picture || !made.mask || !made.pictureDc || !made.maskDc) return nullptr;
  SelectObject(made.pictureDc.get(), made.picture.get());
  SelectObject(made.maskDc.get(), made.mask.get());
  {
    SelectObjectScope selectSource(source.get(), original.get());
    SelectObjectScope selectBits(bits.get(), oneBit.get());
    // Copied to one bit per pixel, the source's background color (white)
    // becomes 1 and every other color 0; copied back to color, 1 turns into
    // the background color (white) and 0 into the text color (black).
    SetBkColor(source.get(), RGB(255, 255, 255));
    BitBlt(bits.get(), 0, 0, w, h, source.get(), 0, 0, SRCCOPY);
    for (HDC dc : {made.maskDc.get(), made.pictureDc.get()}) {
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, RGB(255, 255, 255));
    }
    BitBlt(made.maskDc.get(), 0, 0, w, h, bits.get(), 0, 0, SRCCOPY);
    BitBlt(made.pictureDc.get(), 0, 0, w, h, source.get(), 0, 0, SRCCOPY);
    BitBlt(made.pictureDc.get(), 0, 0, w, h, bits.get(), 0, 0, 0x00220326);  // DSna: white made black
  }
  made.width = w;
  made.height = h;
  glyph = std::move(made);
  return &glyph;
}

HDC NoteResources::PaintBuffer(HDC compatible, int width, int height) {
  // Made anew for every paint, the surface would cost more than the paint.
  if (bufferDc_ && width <= bufferSize_.cx && height <= bufferSize_.cy) return bufferDc_.get();
  bufferDc_.reset();
  SIZE size{std::max<LONG>(width, bufferSize_.cx), std::max<LONG>(height, bufferSize_.cy)};
  buffer_.reset(CreateCompatibleBitmap(compatible, size.cx, size.cy));
  bufferDc_.reset(buffer_ ? CreateCompatibleDC(compatible) : nullptr);
  if (!bufferDc_) {
    buffer_.reset();
    bufferSize_ = SIZE{};
    return nullptr;
  }
  SelectObject(bufferDc_.get(), buffer_.get());
  bufferSize_ = size;
  return bufferDc_.get();
}

HWND NoteResources::AtDpi::Tooltip() {
  if (!tooltip_) {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    // The tooltip takes the system's font for the system DPI by itself; on a
    // display of another DPI it gets that font as it is there.
    if (tooltip_ && dpi_ != SystemDpi()) {
      NONCLIENTMETRICSW metrics = NonClientMetricsForDpi(dpi_);
      tooltipFont_.reset(CreateFontIndirectW(&metrics.lfStatusFont));
      if (tooltipFont_) SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(tooltipFont_.get()), FALSE);
    }
  }
  return tooltip_;
}

SIZE NoteResources::MeasureText(HFONT font, const std::wstring& text, int wrapWidth) {
  // One device context like the screen's for every measurement: getting the
  // screen's own for each one costs more than measuring a short text.
  if (!measureDc_) measureDc_.reset(CreateCompatibleDC(nullptr));
  SelectObjectScope select(measureDc_.get(), font);
  RECT r{0, 0, wrapWidth, 0};
  UINT flags = DT_CALCRECT | DT_EXPANDTABS | (wrapWidth > 0 ? DT_WORDBREAK : 0);
  // An empty label is as high as a line of its font.
  const std::wstring blank = L" ";
  const std::wstring& measured = text.empty() ? blank : text;
  DrawTextW(measureDc_.get(), measured.c_str(), static_cast<int>(measured.size()), &r, flags);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace wisplet
