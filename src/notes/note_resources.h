#pragma once
// What every note shares: the two fonts, the glyph bitmaps and one tooltip
// window, created once, so that a note costs one window and one menu.
#include <windows.h>

#include <string>

#include "base/win32_handles.h"

namespace wisplet {

class NoteResources {
 public:
  static NoteResources& Get();
  ~NoteResources();
  NoteResources(const NoteResources&) = delete;
  NoteResources& operator=(const NoteResources&) = delete;

  HFONT TitleFont() const { return static_cast<HFONT>(titleFont_.get()); }
  HFONT MemoFont() const { return static_cast<HFONT>(memoFont_.get()); }
  int LineHeight() const { return lineHeight_; }
  HBITMAP Glyph(int id);
  // The one tooltip window of all notes.
  HWND Tooltip();
  // Width and height of text drawn with the label rules (ampersands, tabs);
  // wrapWidth 0 measures one line. Empty text measures as one blank.
  SIZE MeasureText(HFONT font, const std::string& text, int wrapWidth) const;

 private:
  NoteResources();
  GdiObject titleFont_;
  GdiObject memoFont_;
  int lineHeight_ = 13;
  GdiObject glyphs_[20];
  HWND tooltip_ = nullptr;
};

}  // namespace wisplet
