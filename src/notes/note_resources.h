#pragma once
// What every note shares: for each DPI its notes are shown at, the two
// fonts, the glyph bitmaps drawn for that scale and one tooltip window; and
// one off-screen surface to paint in. Made once, so that a note costs one
// window, and a note on a 200 % display and one on a 100 % display each draw
// crisp.
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "base/win32_handles.h"

namespace wisplet {

class NoteResources {
 public:
  static NoteResources& Get();
  ~NoteResources();
  NoteResources(const NoteResources&) = delete;
  NoteResources& operator=(const NoteResources&) = delete;

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

  // What the notes at one DPI share.
  class AtDpi {
   public:
    explicit AtDpi(int dpi);
    ~AtDpi();
    AtDpi(const AtDpi&) = delete;
    AtDpi& operator=(const AtDpi&) = delete;

    int Dpi() const { return dpi_; }
    HFONT TitleFont() const { return static_cast<HFONT>(titleFont_.get()); }
    HFONT MemoFont() const { return static_cast<HFONT>(memoFont_.get()); }
    int LineHeight() const { return lineHeight_; }
    // The glyph `id` (its identifier at 100 %) as drawn for this DPI's scale;
    // null when the bitmap resource cannot be loaded.
    const GlyphImage* Glyph(int id);
    // The one tooltip window of the notes at this DPI.
    HWND Tooltip();

   private:
    int dpi_;
    GdiObject titleFont_;
    GdiObject memoFont_;
    GdiObject tooltipFont_;
    int lineHeight_ = 13;
    GlyphImage glyphs_[20];
    HWND tooltip_ = nullptr;
  };
  AtDpi& ForDpi(int dpi);

  // Bits per pixel of the display, read at start and kept up to date with
  // what WM_DISPLAYCHANGE reports.
  int DisplayDepth() const { return displayDepth_; }
  void DisplayChanged(int bitsPerPixel) { displayDepth_ = bitsPerPixel; }
  // An off-screen surface of at least width x height like `compatible`, for
  // painting a note without flicker; null when there is no memory for it.
  HDC PaintBuffer(HDC compatible, int width, int height);
  // Width and height of text drawn with the label rules (ampersands, tabs);
  // wrapWidth 0 measures one line. Empty text measures as one blank.
  SIZE MeasureText(HFONT font, const std::wstring& text, int wrapWidth);

 private:
  NoteResources();
  std::map<int, std::unique_ptr<AtDpi>> atDpi_;
  int displayDepth_ = 32;
  GdiObject buffer_;
  MemoryDc bufferDc_;
  SIZE bufferSize_{};
  MemoryDc measureDc_;
};

}  // namespace wisplet
