#pragma once
// One note on the desktop: a borderless window with a gradient title bar, four
// image buttons and its text, painted from the note's own copy of a scheme.
// The parts are regions the window paints and hit-tests itself, bottom to top:
// text-area gradient, title-bar gradient, title, text, the four buttons.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "base/window.h"
#include "model/scheme.h"
#include "model/state.h"
#include "notes/gradient.h"
#include "notes/note_accessibility.h"
#include "notes/note_layout.h"
#include "notes/note_resources.h"
#include "notes/snapping.h"

namespace wisplet {

class TStickerWindow;
class NoteAccessible;

// What a note needs of the rest of the program.
class NoteHost {
 public:
  virtual ~NoteHost() = default;
  virtual void ShowEditNote(TStickerWindow& note) = 0;
  virtual void ShowNewNote() = 0;
  // Drops a closed note from the note list.
  virtual void RemoveSticker(TStickerWindow& note) = 0;
  // The note list, whose shown notes a moved note snaps to.
  virtual const TListSticker& NoteList() const = 0;
};

class TStickerWindow : public Window {
 public:
  explicit TStickerWindow(NoteHost& host);
  ~TStickerWindow() override;

  // Texts are UTF-8; set the title and the text through SetTitle and SetMemo.
  std::string ID;
  std::string Title;
  std::string Memo;
  TColorScheme Scheme;
  bool OnTop = false;
  bool Active = false;
  bool MinState = false;
  unsigned char SnapEdges = 0;

  void SetTitle(const std::string& title);
  void SetMemo(const std::string& memo);
  void FitToContent();
  void ApplyScheme(const TColorScheme& scheme);

  void SetActive(bool active);
  void ShowNote();
  void HideNote();
  void SetOnTop(bool onTop);
  void SetMinState(bool minState);
  void SetTransparency(int percent);
  void ExecuteCommand(int command);
  void CloseNote();
  // Closed for good without asking (it was closed elsewhere): hidden and removed.
  void Discard();
  // Builds the note menu again in the program's current menu look.
  void RebuildMenu();

  RECT Bounds() const;  // outer bounds in screen pixels
  Rect BoundsRect() const;
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  bool Visible() const { return m_hwnd && IsWindowVisible(m_hwnd); }
  bool Removed() const { return removed_; }

  // The DPI the note's sizes, fonts and glyphs are made for: that of the
  // display it is on.
  int Dpi() const { return dpi_; }
  // Lays the note out for the display it is about to be placed on; its
  // bounds are set afterwards.
  void SetDpi(int dpi);

  // Commands of the note menu; the number is also the item's identifier.
  enum Command { CmdEdit = 1, CmdNew = 2, CmdCopy = 3, CmdOnTop = 4, CmdHide = 5, CmdClose = 6 };

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  NoteLayout Layout() const;
  // The scheme the note paints with: its own, or with high contrast on the
  // system's colors (the note's Scheme stays as it is).
  TColorScheme PaintScheme() const;
  void ApplyGradients();
  NoteResources::AtDpi& Res() const { return NoteResources::Get().ForDpi(dpi_); }
  // The note came onto a display of another DPI, or the display's scale
  // changed: the note takes the suggested bounds (without any, its size
  // scaled) and lays itself out for the new DPI.
  void DpiChangedTo(int dpi, const RECT* suggested);
  void Paint(HDC dc, const RECT& area);
  void PaintParts(HDC dc, const RECT& area);
  // In the glyph's own colors, or all in `color` when one is given.
  void PaintButton(HDC dc, const NoteLayout& layout, NotePart part, int glyph, std::optional<COLORREF> color);
  // The one request that gives a note built while hidden its bounds and band.
  void Place();
  void Invalidate(const RECT* area);
  void InvalidatePart(NotePart part);
  void CopyToClipboard();
  void OpenMenuAt(POINT screen);
  // The note menu, built when it is first opened.
  HMENU NoteMenu();
  // The first mouse move over the note adds its tools and is passed on.
  void AddTooltips(const MSG& firstMove);
  void MoveTooltips();
  void RemoveTooltips();
  void SetTooltipText(NotePart button, const wchar_t* text);

  void MouseDown(int button, bool doubleClick, POINT client);
  void MouseUp(int button, POINT client);
  void NoteMouseDown(int button, NotePart part, POINT client);
  void NoteMouseMove(NotePart part, POINT client);
  void NoteMouseUp(int button, NotePart part, POINT client);
  void TitleDblClick();
  void NoteKeyUp(WPARAM key);
  void RunDeferredCommands();
  void ButtonMouseDown(NotePart button, bool clicks);
  void ButtonMouseUp(int mouseButton, POINT client);
  void ClickButton(NotePart button);
  // Forgets a press whose release will not come to this note.
  void CancelPress();
  int GlyphOf(NotePart button) const;
  void WMActivate(WPARAM wParam);
  // What a screen reader is told of the note, and the events that tell it
  // of a change.
  NoteFacts AccessibleFacts() const;
  void AccessibleChanged();
  LRESULT WMGetObject(WPARAM wParam, LPARAM lParam);
  // The position filter of every request to move, size, show, hide or
  // restack the note.
  void WMWindowPosChanging(WINDOWPOS& pos);
  // Brings the note back inside the work area and records its contacts: the
  // filter's path for requests without a position.
  void SnapInPlace();

  NoteHost& host_;
  int dpi_ = kDesignDpi;
  TGradient titleGradient_;
  TGradient memoGradient_;
  HMENU noteMenu_ = nullptr;
  // The title-bar button held down, and whether releasing the left mouse
  // button over it clicks it (not after the second press of a double click).
  NotePart pressedButton_ = NotePart::None;
  bool buttonClickArmed_ = false;
  // The right or middle mouse button pressed on the note's surface, whose
  // release over the note opens the menu (VK_RBUTTON, VK_MBUTTON or 0).
  int surfacePress_ = 0;
  bool removed_ = false;
  // Inside the system's move or size loop, and the shortcuts released then.
  bool inSizeMove_ = false;
  std::vector<int> deferredCommands_;
  // The last measurement of the title and of the text: a note fits itself
  // several times in a row (title, text, rolling down) with the same texts.
  struct Measured {
    bool valid = false;
    HFONT font = nullptr;
    std::wstring text;
    int wrap = 0;
    TextExtent extent;
  };
  TextExtent Measure(Measured& last, HFONT font, const std::wstring& text, int wrap);
  // The title and the text as they are drawn and measured, converted once
  // when they are set rather than at every paint.
  std::wstring titleWide_;
  std::wstring memoWide_;
  Measured measuredTitle_;
  Measured measuredMemo_;
  // Until a note is first shown or hidden, its bounds and its band (on top
  // or not) are only kept; then one request places it, through the position
  // filter, instead of one request for every change made while it is built.
  bool placed_ = false;
  RECT unplacedBounds_{};
  // The buttons' tools are added to the shared tooltip when the mouse first
  // comes over the note; until then only the on-top button's text is kept.
  bool tooltipsAdded_ = false;
  const wchar_t* onTopTip_ = L"Top";  // until the first SetOnTop names its action
  // Made when a reader first asks; the description readers were last told.
  NoteAccessible* accessible_ = nullptr;
  std::vector<AccessibleItem> described_;
};

}  // namespace wisplet
