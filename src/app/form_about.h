#pragma once
// The About window: the program's name, file version and legal notice, read
// from the executable's version resource at every showing, and a link that
// starts a mail to the support address. Hidden, not destroyed, when closed.
#include "base/win32_handles.h"
#include "base/window.h"

namespace wisplet {

class TFormAbout : public Window {
 public:
  TFormAbout();
  ~TFormAbout() override;

  int ModalResult = 0;  // IDOK after "&OK"

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateControls();
  void FormShow();
  void BtnOKClick();
  void TBXLinkContactClick();
  void Paint(HDC dc);
  void PaintInformationSign(HDC dc, const RECT& box);
  SIZE TextExtent(HWND control) const;
  void SizeLabelToText(HWND label);
  void CenterOnScreen();
  int Scaled(int designPixels) const;

  HWND LbFileName = nullptr;
  HWND LbFileVer = nullptr;
  HWND LbProductName = nullptr;
  HWND LbProductVer = nullptr;
  HWND LbCopyright = nullptr;
  HWND TBXLinkContact = nullptr;
  HWND BtnOK = nullptr;

  GdiObject font_;       // the window's font
  GdiObject boldFont_;   // LbFileName
  GdiObject signFont_;   // "Webdings", when the system has it
  GdiObject picture_;    // ProgramIcon's bitmap
  int dpi_ = 96;
};

}  // namespace wisplet
