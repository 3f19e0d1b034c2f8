#include "app/form_about.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "app/app.h"
#include "app/product_info_win32.h"
#include "base/dialog_kit.h"
#include "base/dpi.h"
#include "base/message_loop.h"
#include "base/wide_text.h"
#include "base/win32_handles.h"
#include "resources/resource.h"
#include "resources/version.h"

namespace wisplet {
namespace {

const wchar_t kClassName[] = L"TFormAbout";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// Sizes and places as drawn at 96 DPI, in client coordinates.
constexpr int kClientWidth = 346, kClientHeight = 232;
constexpr RECT kPanel1{4, 4, 4 + 337, 4 + 190};
constexpr RECT kProgramIcon{4 + 8, 4 + 8, 4 + 8 + 77, 4 + 8 + 49};
constexpr RECT kLabel1{4 + 18, 4 + 7, 4 + 18 + 49, 4 + 7 + 49};
constexpr int kSignHeight = 48;  // the "i" in Webdings
constexpr int kPictureWidth = 16, kPictureHeight = 11;

enum ControlId { IdFileName = 101, IdFileVer, IdProductName, IdProductVer, IdCopyright, IdLinkContact };

HFONT MakeFont(const wchar_t* face, int height, bool bold, BYTE charset = DEFAULT_CHARSET) {
  return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, charset,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

// Whether the system has a font of this face name (a font it does not have
// would silently be replaced by another one).
bool HasFontFace(const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  const WindowDc screen;
  if (!screen.get()) return false;
  EnumFontFamiliesExW(
      screen.get(), &wanted,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM data) -> int {
        *reinterpret_cast<bool*>(data) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// The picture stretched into the box with its proportions kept, from the
// box's top-left corner.
RECT ProportionalRect(const RECT& box, int pictureWidth, int pictureHeight) {
  int boxWidth = box.right - box.left, boxHeight = box.bottom - box.top;
  int width = boxWidth, height = MulDiv(boxWidth, pictureHeight, pictureWidth);
  if (height > boxHeight) {
    height = boxHeight;
    width = MulDiv(boxHeight, pictureWidth, pictureHeight);
  }
  return RECT{box.left, box.top, box.left + width, box.top + height};
}

}  // namespace

// Made for the primary display, where it opens.
TFormAbout::TFormAbout() : fonts_(DpiOfPoint(POINT{0, 0})) {
  RegisterWindowClass(kClassName, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  picture_.reset(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_ABOUT_PICTURE), IMAGE_BITMAP, 0, 0, 0));

  RECT outer{0, 0, Scaled(kClientWidth), Scaled(kClientHeight)};
  AdjustWindowRectForDpi(outer, kStyle, kExStyle, fonts_.Dpi());
  // Owned by the application window, so that it has no taskbar button of its own.
  Create(kClassName, kExStyle, kStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
         outer.bottom - outer.top, App().ApplicationWindow());
  if (!m_hwnd) return;
  SetText(m_hwnd, "About");
  CreateControls();
  ApplyDpi(fonts_.Dpi());
  AddModelessDialog(m_hwnd);
}

TFormAbout::~TFormAbout() {
  // The controls use the fonts until the window is gone.
  if (m_hwnd) DestroyWindow(m_hwnd);
}

int TFormAbout::Scaled(int designPixels) const { return MulDiv(designPixels, fonts_.Dpi(), 96); }

void TFormAbout::CreateControls() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  auto make = [&](const wchar_t* cls, const std::string& text, DWORD style, int id, RECT r, HFONT font) {
    HWND hwnd = CreateWindowExW(0, cls, Wide(text).c_str(), WS_CHILD | style, 0, 0, 0, 0, m_hwnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    design_.emplace_back(hwnd, r);
    return hwnd;
  };
  // The labels lie in Panel1 at (4, 4) and size themselves to their text.
  const DWORD label = SS_LEFT | SS_NOPREFIX;
  const HFONT font = fonts_.Get(DialogFonts::Normal);
  LbFileName = make(L"STATIC", "", WS_VISIBLE | label, IdFileName, {104, 12, 104, 12}, fonts_.Get(DialogFonts::Bold));
  LbFileVer = make(L"STATIC", "", WS_VISIBLE | label, IdFileVer, {104, 30, 104, 30}, font);
  LbProductName = make(L"STATIC", "", label, IdProductName, {104, 48, 104, 48}, font);
  LbProductVer = make(L"STATIC", "", label, IdProductVer, {104, 65, 104, 65}, font);
  LbCopyright = make(L"STATIC", "", WS_VISIBLE | label, IdCopyright, {104, 84, 104, 84}, font);
  TBXLinkContact = make(L"STATIC", ContactCaption(WISPLET_SUPPORT_ADDRESS),
                        WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY, IdLinkContact,
                        {102, 102, 102 + 231, 102 + 15}, font);
  BtnOK = make(L"BUTTON", "&OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, {236, 202, 236 + 105, 202 + 24},
               font);
}

void TFormAbout::ApplyDpi(int dpi) {
  fonts_.ChangeDpi(dpi, m_hwnd);
  signFont_.reset();
  if (HasFontFace(L"Webdings")) signFont_.reset(MakeFont(L"Webdings", Scaled(kSignHeight), true, SYMBOL_CHARSET));
  PlaceControls();
  InvalidateRect(m_hwnd, nullptr, TRUE);
}

void TFormAbout::PlaceControls() {
  for (const auto& [hwnd, r] : design_)
    SetWindowPos(hwnd, nullptr, Scaled(r.left), Scaled(r.top), Scaled(r.right - r.left), Scaled(r.bottom - r.top),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  // Where the font draws wider than designed, the link grows to show the whole
  // address, up to the panel's inner edge.
  int linkWidth = std::min(std::max<int>(Scaled(231), TextExtent(TBXLinkContact).cx),
                           Scaled(kPanel1.right - 2 - 102));
  SetWindowPos(TBXLinkContact, nullptr, 0, 0, linkWidth, Scaled(15), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (HWND label : {LbFileName, LbFileVer, LbProductName, LbProductVer, LbCopyright}) SizeLabelToText(label);
}

SIZE TFormAbout::TextExtent(HWND control) const {
  const std::wstring text = Wide(WindowText(control));
  RECT extent{0, 0, 0, 0};
  const WindowDc dc(control);
  if (!dc.get()) return SIZE{0, 0};
  SelectObjectScope font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return SIZE{extent.right, extent.bottom};
}

void TFormAbout::SizeLabelToText(HWND label) {
  SIZE size = TextExtent(label);
  SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormAbout::CenterOnScreen() {
  RECT r{};
  GetWindowRect(m_hwnd, &r);
  int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
  SetWindowPos(m_hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormAbout::FormShow() {
  if (HWND application = App().ApplicationWindow()) ShowWindow(application, SW_HIDE);
  TFileInfo info;
  GetFileInfo(App().ExeName, info);
  const AboutTexts texts = AboutLabelTexts(info);
  const std::pair<HWND, const std::string*> labels[] = {{LbFileName, &texts.FileName},
                                                         {LbFileVer, &texts.FileVer},
                                                         {LbProductName, &texts.ProductName},
                                                         {LbProductVer, &texts.ProductVer},
                                                         {LbCopyright, &texts.Copyright}};
  for (const auto& [label, text] : labels) {
    SetText(label, *text);
    SizeLabelToText(label);
  }
  CenterOnScreen();
  // BtnOK gets the focus whenever the window does (WM_SETFOCUS).
}

void TFormAbout::BtnOKClick() {
  ShowWindow(m_hwnd, SW_HIDE);
  ModalResult = IDOK;
}

void TFormAbout::TBXLinkContactClick() {
  // A missing mail program is not reported.
  ShellExecuteW(App().ApplicationWindow(), L"open", Wide(ContactLink(WISPLET_SUPPORT_ADDRESS)).c_str(), nullptr, nullptr,
                SW_HIDE);
}

void TFormAbout::Paint(HDC dc) {
  RECT panel{Scaled(kPanel1.left), Scaled(kPanel1.top), Scaled(kPanel1.right), Scaled(kPanel1.bottom)};
  DrawEdge(dc, &panel, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);

  RECT iconBox{Scaled(kProgramIcon.left), Scaled(kProgramIcon.top), Scaled(kProgramIcon.right),
               Scaled(kProgramIcon.bottom)};
  if (picture_) {
    RECT to = ProportionalRect(iconBox, kPictureWidth, kPictureHeight);
    const MemoryDc memory(CreateCompatibleDC(dc));
    if (memory) {
      SelectObjectScope bitmap(memory.get(), picture_.get());
      int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
      StretchBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, memory.get(), 0, 0, kPictureWidth,
                 kPictureHeight, SRCCOPY);
      SetStretchBltMode(dc, oldMode);
    }
  }

  RECT signBox{Scaled(kLabel1.left), Scaled(kLabel1.top), Scaled(kLabel1.right), Scaled(kLabel1.bottom)};
  if (signFont_) {
    SelectObjectScope font(dc, signFont_.get());
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, L"i", 1, &signBox, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
  } else {
    PaintInformationSign(dc, signBox);
  }
}

// Without "Webdings" the information sign is drawn as that font draws it: a
// disc in the text colour with the letter i cut out of it.
void TFormAbout::PaintInformationSign(HDC dc, const RECT& box) {
  auto at = [&](int x0, int y0, int x1, int y1) {
    return RECT{box.left + Scaled(x0), box.top + Scaled(y0), box.left + Scaled(x1), box.top + Scaled(y1)};
  };
  GdiObject disc(CreateSolidBrush(GetSysColor(COLOR_WINDOWTEXT)));
  GdiObject letter(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  SelectObjectScope pen(dc, GetStockObject(NULL_PEN));
  {
    SelectObjectScope brush(dc, disc.get());
    RECT r = at(1, 1, 48, 48);
    Ellipse(dc, r.left, r.top, r.right, r.bottom);
  }
  SelectObjectScope brush(dc, letter.get());
  RECT dot = at(20, 8, 29, 17);
  Ellipse(dc, dot.left, dot.top, dot.right, dot.bottom);
  for (RECT part : {at(20, 20, 29, 38), at(16, 20, 20, 24), at(16, 35, 33, 39)}) FillRect(dc, &part, static_cast<HBRUSH>(letter.get()));
}

LRESULT TFormAbout::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SHOWWINDOW:
      if (wParam && lParam == 0) FormShow();
      break;
    case WM_SETFOCUS:
      if (IsWindowVisible(BtnOK) && IsWindowEnabled(BtnOK)) SetFocus(BtnOK);
      return 0;
    case WM_DPICHANGED:
      ApplyDpi(NewDpiOf(wParam));
      MoveToSuggestedRect(m_hwnd, lParam);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) BtnOKClick();
      if (LOWORD(wParam) == IdLinkContact && HIWORD(wParam) == STN_CLICKED) TBXLinkContactClick();
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == TBXLinkContact) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      bool link = reinterpret_cast<HWND>(lParam) == TBXLinkContact;
      SetTextColor(dc, GetSysColor(link ? COLOR_HIGHLIGHT : COLOR_BTNTEXT));
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_PAINT:
    case WM_PRINTCLIENT:
      PaintMessage(msg, wParam, [this](HDC dc, const RECT&) { Paint(dc); });
      return 0;
    case WM_CLOSE:
      ShowWindow(m_hwnd, SW_HIDE);  // hidden, never destroyed before the program ends
      return 0;
    case WM_DESTROY:
      RemoveModelessDialog(m_hwnd);
      break;
  }
  return DefaultHandling(msg, wParam, lParam);
}

}  // namespace wisplet
