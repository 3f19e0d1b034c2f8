#pragma once
// What every note shares: the two fonts, the glyph bitmaps, one off-screen
// surface to paint in and one tooltip window, created once, so that a note
// costs one window.
#include <windows.h>

#include <string>

#include "base/win32_handles.h"

namespace wisplet {

struct MemoryDcTraits {
  static HDC Invalid() { return nullptr; }
  static void Close(HDC dc) { DeleteDC(dc); }
};
// A memory device context, deleted with its owner.
using MemoryDc = UniqueHandle<HDC, MemoryDcTraits>;

class NoteResources {
 public:
  static NoteResources& Get();
  ~NoteResources();
  NoteResources(const NoteResources&) = delete;
  NoteResources& operator=(const NoteResources&) = delete;

  HFONT TitleFont() const { return static_cast<HFONT>(titleFont_.get()); }
  HFONT MemoFont() const { return static_cast<HFONT>(memoFont_.get()); }
  int LineHeight() const { return lineHeight_; }
  // Bits per pixel of the display, read at start and kept up to date with
  // what WM_DISPLAYCHANGE reports.
  int DisplayDepth() const { return displayDepth_; }
  void DisplayChanged(int bitsPerPixel) { displayDepth_ = bitsPerPixel; }
  // A title-bar glyph ready to be drawn with white transparent, each bitmap
  // held by a device context of its own: the mask is white where the glyph is
  // white and black elsewhere, the picture black where the glyph is white.
  struct GlyphImage {
    GdiObject picture;
    GdiObject mask;
    MemoryDc pictureDc;  // (destroyed before the bitmaps they hold)
    MemoryDc maskDc;
    int width = 0;
    int height = 0;
  };
  // Null when the bitmap resource cannot be loaded.
  const GlyphImage* Glyph(int id);
  // An off-screen surface of at least width x height like `compatible`, for
  // painting a note without flicker; null when there is no memory for it.
  HDC PaintBuffer(HDC compatible, int width, int height);
  // The one tooltip window of all notes.
  HWND Tooltip();
  // Width and height of text drawn with the label rules (ampersands, tabs);
  // wrapWidth 0 measures one line. Empty text measures as one blank.
  SIZE MeasureText(HFONT font, const std::wstring& text, int wrapWidth);

 private:
  NoteResources();
  GdiObject titleFont_;
  GdiObject memoFont_;
  int lineHeight_ = 13;
  int displayDepth_ = 32;
  GlyphImage glyphs_[20];
  GdiObject buffer_;
  MemoryDc bufferDc_;
  SIZE bufferSize_{};
  HWND tooltip_ = nullptr;
  HDC measureDc_ = nullptr;
};

}  // namespace wisplet
