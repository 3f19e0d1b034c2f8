#pragma once
// The note editor: one modeless dialog that writes a new note or changes an
// existing one (title, text and color scheme). Hidden, not destroyed, when closed.
#include <windows.h>

#include <string>

#include "base/dialog_kit.h"
#include "base/window.h"

namespace wisplet {

class TStickerWindow;
class DialogHost;

class TFormSticker : public Window {
 public:
  explicit TFormSticker(DialogHost& host);
  ~TFormSticker() override;

  // Refills the scheme list from ColorSchemes and selects the first one.
  void FillSchemeList();
  // ColorSchemes changed from the settings file: the list follows it, the
  // scheme chosen stays chosen where it is still there.
  void SchemesChanged();
  // New-note mode; a hidden dialog is placed at the work area's bottom right.
  void PrepareNewNote();
  void ShowNewNote();
  void ShowEditNote(TStickerWindow& note);
  // The tray's "New": new-note mode, shown, and given the keyboard focus.
  // A text given (from the command line) fills the note's text; without one
  // the editor keeps what it holds.
  void ShowFromTray(const std::string& memo = {});

  bool EditMode = false;
  TStickerWindow* EditedNote = nullptr;  // not owned; may have been closed since

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateControls();
  void LayoutControls();
  void PlaceControls();
  void DrawSchemeItem(const DRAWITEMSTRUCT& item);
  void ShowDialog();
  void FormShow();
  void FormActivate();
  // Sees every typed character before the focused control; returns the
  // character to pass on, 0 when it was used up here.
  wchar_t FormKeyPress(wchar_t key);
  void MemoBodyEnter(HWND control);
  // The title holds at most kTitleLimit characters, however they come in.
  void EditTitleChange();
  void SetTitleText(const std::string& title);
  void BtnNewClick();
  void FocusNextControl(WPARAM wParam, LPARAM lParam);
  int Scaled(int designPixels) const;
  // Fonts, item heights and layout for the DPI of the display the dialog is on.
  void ApplyDpi(int dpi);

  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR data);

  DialogHost& host_;
  HWND TBXLabel1 = nullptr;
  HWND EditTitle = nullptr;
  HWND TBXLabel2 = nullptr;
  HWND MemoBody = nullptr;
  HWND TBXLabel3 = nullptr;
  HWND CBSchemes = nullptr;
  HWND BtnNew = nullptr;

  // Normal for every control, bold and underlined for the three labels.
  DialogFonts fonts_;
  std::wstring titleShown_;  // the title as the last change left it
  // The edited note's text and the fields' when the edit began: the note's
  // text can change elsewhere meanwhile (another PC, a hand edit).
  struct EditStart {
    std::string noteTitle, noteMemo, title, memo;
  } editStart_;
  bool settingTitle_ = false;
  bool layingOut_ = false;
  bool layoutAgain_ = false;
};

}  // namespace wisplet
