#pragma once
// The About window: the program's name, file version and legal notice, read
// from the executable's version resource at every showing, and a link that
// starts a mail to the support address. Hidden, not destroyed, when closed.
#include <utility>
#include <vector>

#include "base/dialog_kit.h"
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
  // Fonts and places of the controls for the DPI of the display the window is on.
  void ApplyDpi(int dpi);
  void PlaceControls();

  HWND LbFileName = nullptr;
  HWND LbFileVer = nullptr;
  HWND LbProductName = nullptr;
  HWND LbProductVer = nullptr;
  HWND LbCopyright = nullptr;
  HWND TBXLinkContact = nullptr;
  HWND BtnOK = nullptr;

  DialogFonts fonts_;    // the window's font, bold for LbFileName
  GdiObject signFont_;   // "Webdings", when the system has it
  GdiObject picture_;    // ProgramIcon's bitmap
  // Each control's place as designed at 96 DPI, in client coordinates.
  std::vector<std::pair<HWND, RECT>> design_;
};

}  // namespace wisplet
