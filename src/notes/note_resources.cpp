#include "notes/note_resources.h"

#include <commctrl.h>

namespace wisplet {
namespace {

// The screen's device context for one scope.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

HFONT MakeFont(bool bold) {
  int height = -MulDiv(8, GetDeviceCaps(ScreenDc().get(), LOGPIXELSY), 72);
  return CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
}

constexpr int kFirstGlyph = 100;

}  // namespace

NoteResources& NoteResources::Get() {
  static NoteResources resources;
  return resources;
}

NoteResources::NoteResources() : titleFont_(MakeFont(true)), memoFont_(MakeFont(false)) {
  // The line height as this system draws the font, which need not be the 13
  // pixels it has on Windows at 96 dpi; every size of a note follows it.
  ScreenDc screen;
  SelectObjectScope select(screen.get(), memoFont_.get());
  TEXTMETRICA tm{};
  if (GetTextMetricsA(screen.get(), &tm)) lineHeight_ = tm.tmHeight;
}

NoteResources::~NoteResources() {
  if (tooltip_) DestroyWindow(tooltip_);
}

HBITMAP NoteResources::Glyph(int id) {
  GdiObject& slot = glyphs_[id - kFirstGlyph];
  if (!slot) slot.reset(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
  return static_cast<HBITMAP>(slot.get());
}

HWND NoteResources::Tooltip() {
  if (!tooltip_) {
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  return tooltip_;
}

SIZE NoteResources::MeasureText(HFONT font, const std::string& text, int wrapWidth) const {
  ScreenDc screen;
  SelectObjectScope select(screen.get(), font);
  RECT r{0, 0, wrapWidth, 0};
  UINT flags = DT_CALCRECT | DT_EXPANDTABS | (wrapWidth > 0 ? DT_WORDBREAK : 0);
  // An empty label is as high as a line of its font.
  const std::string blank = " ";
  const std::string& measured = text.empty() ? blank : text;
  DrawTextA(screen.get(), measured.c_str(), static_cast<int>(measured.size()), &r, flags);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace wisplet
