#include "notes/note_resources.h"

#include <commctrl.h>

namespace wisplet {
namespace {

HFONT MakeFont(bool bold) {
  HDC screen = GetDC(nullptr);
  int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
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
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, memoFont_.get());
  TEXTMETRICA tm{};
  GetTextMetricsA(screen, &tm);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  lineHeight_ = tm.tmHeight;
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
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  RECT r{0, 0, wrapWidth, 0};
  UINT flags = DT_CALCRECT | DT_EXPANDTABS | (wrapWidth > 0 ? DT_WORDBREAK : 0);
  const std::string& measured = text.empty() ? std::string(" ") : text;
  DrawTextA(screen, measured.c_str(), static_cast<int>(measured.size()), &r, flags);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace wisplet
