// The options window's frame and its system page.
#include "dialogs/form_options.h"

#include <commctrl.h>

#include <algorithm>

#include "base/contrast.h"
#include "base/dpi.h"
#include "base/gdi_surface.h"
#include "base/menu_look.h"
#include "base/message_loop.h"
#include "base/wide_text.h"
#include "base/win32_handles.h"
#include "dialogs/dialog_host.h"
#include "dialogs/form_sticker.h"
#include "dialogs/options_ids.h"
#include "model/anchors.h"
#include "model/high_contrast.h"
#include "model/scheme_editor.h"
#include "resources/image_scale.h"
#include "resources/resource.h"

namespace wisplet {

using namespace options;

namespace {

const wchar_t kClassName[] = L"TFormOptions";
constexpr int kMenuBorder = 6;   // the menu column's border and its lowered bevel
constexpr int kPageFrame = 2;    // the raised frame of a page
constexpr int kPageButtonHeight = 57;
constexpr int kImageSize = 32;   // the page buttons' pictures, at 100 %
constexpr int kPageButtonWidth = 85;

// The page strip's own colors, or with high contrast on the theme's.
PageStripColors StripColors() { return OptionsPageStripColors(HighContrastOn()); }
COLORREF Resolved(TColor color) { return static_cast<COLORREF>(ResolveColor(color)); }

bool Checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND button, bool on) { SendMessageW(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

HBITMAP LoadBitmapResource(int id, int dpi) {
  return static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ScaledImageId(id, dpi)), IMAGE_BITMAP, 0, 0, 0));
}

OSVERSIONINFOW WindowsVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  GetVersionExW(&info);
  return info;
}

}  // namespace

// Made for the primary display, where it opens.
TFormOptions::TFormOptions(DialogHost& host) : host_(host), fonts_(DpiOfPoint(POINT{0, 0})) {
  RegisterWindowClass(kClassName, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                      LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_WISPLET)));
  LoadPageImages();

  // Centred in the work area, at its designed size.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = Scaled(kDesignWidth), height = Scaled(kDesignHeight);
  Create(kClassName, WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN,
         work.left + (work.right - work.left - width) / 2, work.top + (work.bottom - work.top - height) / 2, width,
         height, nullptr);
  SetText(m_hwnd, "Wisplet Options");
  CreateFrame();
  CreateSystemPage();
  CreateSchemesPage();
  ShowPage(TbShColor.get());  // the page shown when the window is first opened
  LayoutControls();
  AddModelessDialog(m_hwnd);
  CreateTray();
  FormCreate();
}

TFormOptions::~TFormOptions() {
  tray_.reset();  // the icon leaves the notification area with this window
  if (trayMenu_) {
    ClearLookMenu(trayMenu_);
    DestroyMenu(trayMenu_);
  }
  // The controls use the fonts until the window is gone.
  if (m_hwnd) DestroyWindow(m_hwnd);
}

int TFormOptions::Scaled(int designPixels) const { return MulDiv(designPixels, fonts_.Dpi(), 96); }

void TFormOptions::LoadPageImages() {
  systemImage_.reset(LoadBitmapResource(IDB_OPTIONS_SYSTEM, fonts_.Dpi()));
  colorImage_.reset(LoadBitmapResource(IDB_OPTIONS_COLORS, fonts_.Dpi()));
}

void TFormOptions::ApplyDpi(int dpi) {
  fonts_.ChangeDpi(dpi, m_hwnd);
  LoadPageImages();
  PanelMenu->SetFrameWidth(Scaled(kMenuBorder));
  ScrollBoxColor->SetContentHeight(Scaled(kContentHeight));
  SendMessageW(TrBTrans, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(Scaled(kThumbLength)), 0);
  FitSchemeCombos();
  LayoutControls();
  for (HWND button : {TBXBtnSystem, TBXBtnColor}) InvalidateRect(button, nullptr, TRUE);
}

HWND TFormOptions::CreateLabel(HWND parent, std::vector<AnchoredControl>& layout, const char* text, LabelKind kind,
                               Rect design, unsigned anchors) {
  HWND label = CreateChild(parent, 0, L"STATIC", text, SS_OWNERDRAW, IdLabel,
                           fonts_.Get(kind == LabelKind::Plain || kind == LabelKind::Section ? DialogFonts::Normal
                                                                                             : DialogFonts::Bold));
  SetWindowLongPtrW(label, GWLP_USERDATA, static_cast<LONG_PTR>(kind));
  layout.push_back({label, design, anchors});
  return label;
}

void TFormOptions::DrawLabel(const DRAWITEMSTRUCT& item) const {
  const auto kind = static_cast<LabelKind>(GetWindowLongPtrW(item.hwndItem, GWLP_USERDATA));
  RECT r = item.rcItem;
  FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
  const std::wstring text = Wide(WindowText(item.hwndItem));
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
  SelectObjectScope select(item.hDC, font);
  int oldMode = SetBkMode(item.hDC, TRANSPARENT);
  COLORREF oldColor = SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(item.hDC, oldColor);
  SetBkMode(item.hDC, oldMode);
  // Headings are underlined in the active caption's color, sections with an
  // etched line across the page.
  RECT line{r.left, r.bottom - Scaled(2), r.right, r.bottom};
  if (kind == LabelKind::Heading)
    FillRect(item.hDC, &line, GetSysColorBrush(COLOR_ACTIVECAPTION));
  else if (kind == LabelKind::Section)
    DrawEdge(item.hDC, &line, EDGE_ETCHED, BF_TOP);
}

void TFormOptions::DrawPageButton(const DRAWITEMSTRUCT& item) const {
  const bool chosen = (item.hwndItem == TBXBtnSystem && shownPage_ == TbShSystem.get()) ||
                      (item.hwndItem == TBXBtnColor && shownPage_ == TbShColor.get());
  const bool pressed = chosen || (item.itemState & ODS_SELECTED);
  const PageStripColors colors = StripColors();
  RECT r = item.rcItem;
  {
    GdiObject fill(CreateSolidBrush(Resolved(pressed ? colors.chosen : colors.strip)));
    FillRect(item.hDC, &r, static_cast<HBRUSH>(fill.get()));
  }
  if (chosen) {
    GdiObject border(CreateSolidBrush(Resolved(colors.chosenBorder)));
    FrameRect(item.hDC, &r, static_cast<HBRUSH>(border.get()));
  }
  HBITMAP image = static_cast<HBITMAP>(item.hwndItem == TBXBtnSystem ? systemImage_.get() : colorImage_.get());
  // The picture drawn for the scale, unstretched: between two drawn scales
  // the smaller one, centred in the room the scaled picture has.
  const int room = Scaled(kImageSize), side = ScaledImageSide(kImageSize, fonts_.Dpi());
  const int roomTop = r.top + Scaled(6);
  if (image) {
    const MemoryDc source(CreateCompatibleDC(item.hDC));
    SelectObjectScope select(source.get(), image);
    TransparentBlt(item.hDC, (r.left + r.right - side) / 2, roomTop + (room - side) / 2, side, side, source.get(), 0,
                   0, side, side, RGB(255, 0, 255));
  }
  const std::wstring text = Wide(WindowText(item.hwndItem));
  RECT textRect{r.left, roomTop + room + Scaled(2), r.right, r.bottom};
  SelectObjectScope select(item.hDC, fonts_.Get(DialogFonts::Normal));
  int oldMode = SetBkMode(item.hDC, TRANSPARENT);
  COLORREF oldColor = SetTextColor(item.hDC, Resolved(pressed ? colors.chosenText : colors.text));
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &textRect, DT_CENTER | DT_TOP | DT_SINGLELINE);
  SetTextColor(item.hDC, oldColor);
  SetBkMode(item.hDC, oldMode);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = r;
    InflateRect(&focus, -Scaled(2), -Scaled(2));
    DrawFocusRect(item.hDC, &focus);
  }
}

void TFormOptions::CreateFrame() {
  HFONT font = fonts_.Get(DialogFonts::Normal);
  PanelMenu = std::make_unique<Panel>(
      m_hwnd, IdPanelMenu, Panel::Options{CLR_INVALID, Panel::Frame::LoweredInner, Scaled(kMenuBorder), false});
  TBXPageScrollerMenu = std::make_unique<Panel>(PanelMenu->Handle(), IdPageStrip, Panel::Options{Resolved(StripColors().strip)});
  HWND strip = TBXPageScrollerMenu->Handle();
  TBXBtnSystem = CreateChild(strip, 0, L"BUTTON", "System", WS_TABSTOP | BS_OWNERDRAW, IdBtnSystem, font);
  TBXBtnColor = CreateChild(strip, 0, L"BUTTON", "Color schemes", WS_TABSTOP | BS_OWNERDRAW, IdBtnColor, font);

  TbShSystem = std::make_unique<Panel>(m_hwnd, IdPageSystem, Panel::Options{CLR_INVALID, Panel::Frame::Raised});
  TbShColor = std::make_unique<Panel>(m_hwnd, IdPageColor, Panel::Options{CLR_INVALID, Panel::Frame::Raised});

  BtnHelp = CreateChild(m_hwnd, 0, L"BUTTON", "&Help", WS_TABSTOP | BS_PUSHBUTTON, IdBtnHelp, font);
  BtnOK = CreateChild(m_hwnd, 0, L"BUTTON", "&OK", WS_TABSTOP | BS_PUSHBUTTON, IdBtnOK, font);
  BtnCancel = CreateChild(m_hwnd, 0, L"BUTTON", "&Cancel", WS_TABSTOP | BS_PUSHBUTTON, IdBtnCancel, font);
  BtnApply = CreateChild(m_hwnd, 0, L"BUTTON", "&Apply", WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED, IdBtnApply, font);

  frameLayout_ = {
      {PanelMenu->Handle(), {0, 0, 97, 360}, AnchorLeft | AnchorTop | AnchorBottom},
      {TbShSystem->Handle(), {97, 0, 548, 360}, AnchorLeft | AnchorTop | AnchorRight | AnchorBottom},
      {TbShColor->Handle(), {97, 0, 548, 360}, AnchorLeft | AnchorTop | AnchorRight | AnchorBottom},
      {BtnHelp, {4, 367, 109, 391}, AnchorLeft | AnchorBottom},
      {BtnOK, {223, 367, 328, 391}, AnchorRight | AnchorBottom},
      {BtnCancel, {331, 367, 436, 391}, AnchorRight | AnchorBottom},
      {BtnApply, {439, 367, 544, 391}, AnchorRight | AnchorBottom},
  };
}

void TFormOptions::CreateSystemPage() {
  HWND page = TbShSystem->Handle();
  HFONT font = fonts_.Get(DialogFonts::Normal);
  constexpr unsigned across = AnchorLeft | AnchorTop | AnchorRight;
  CreateLabel(page, systemLayout_, " System options ", LabelKind::Heading, {4, 4, 447, 22}, across);
  CreateLabel(page, systemLayout_, " Automatic run ", LabelKind::Section, {4, 37, 447, 54}, across);
  ChBoxAutoRun = CreateChild(page, 0, L"BUTTON", " Run on windows startup", WS_TABSTOP | BS_AUTOCHECKBOX,
                             IdAutoRun, font);
  systemLayout_.push_back({ChBoxAutoRun, {16, 61, 440, 78}, across});
  CreateLabel(page, systemLayout_, " Menu style", LabelKind::Section, {4, 99, 447, 116}, across);
  RdBtnStyleWinXP = CreateChild(page, 0, L"BUTTON", "Default style", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                                IdStyleDefault, font);
  RdBtnStyleOffXP = CreateChild(page, 0, L"BUTTON", "Office XP style", BS_AUTORADIOBUTTON, IdStyleOfficeXP, font);
  systemLayout_.push_back({RdBtnStyleWinXP, {16, 124, 440, 141}, across});
  systemLayout_.push_back({RdBtnStyleOffXP, {16, 148, 440, 165}, across});
  SetChecked(RdBtnStyleWinXP, true);
  CreateHotkeysSection();
}

void TFormOptions::LayoutControls() {
  if (!PanelMenu || !ScrollBoxColor) return;  // a size message while the window is being built
  const int dpi = fonts_.Dpi();
  PlaceAnchoredControls(m_hwnd, frameLayout_, kDesignClientWidth, kDesignClientHeight, dpi);
  // The strip fills the menu column inside its border; the scheme editor's
  // panel fills its page inside the frame.
  RECT r{};
  GetClientRect(PanelMenu->Handle(), &r);
  const int border = Scaled(kMenuBorder);
  SetWindowPos(TBXPageScrollerMenu->Handle(), nullptr, border, border, std::max<LONG>(0, r.right - 2 * border),
               std::max<LONG>(0, r.bottom - 2 * border), SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(TBXBtnSystem, nullptr, 0, 0, Scaled(kPageButtonWidth), Scaled(kPageButtonHeight),
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(TBXBtnColor, nullptr, 0, Scaled(kPageButtonHeight), Scaled(kPageButtonWidth),
               Scaled(kPageButtonHeight), SWP_NOZORDER | SWP_NOACTIVATE);
  GetClientRect(TbShColor->Handle(), &r);
  const int frame = Scaled(kPageFrame);
  SetWindowPos(ScrollBoxColor->Handle(), nullptr, frame, frame, std::max<LONG>(0, r.right - 2 * frame),
               std::max<LONG>(0, r.bottom - 2 * frame), SWP_NOZORDER | SWP_NOACTIVATE);
  constexpr int kPageWidth = 451, kPageHeight = 360;
  PlaceAnchoredControls(TbShSystem->Handle(), systemLayout_, kPageWidth, kPageHeight, dpi);
  PlaceAnchoredControls(ScrollBoxColor->Handle(), colorLayout_, kPageWidth - 2 * kPageFrame,
                        kPageHeight - 2 * kPageFrame, dpi, ScrollBoxColor->ScrollPosition());
}

void TFormOptions::ShowPage(Panel* page) {
  shownPage_ = page;
  ShowWindow(TbShSystem->Handle(), page == TbShSystem.get() ? SW_SHOW : SW_HIDE);
  ShowWindow(TbShColor->Handle(), page == TbShColor.get() ? SW_SHOW : SW_HIDE);
  InvalidateRect(TBXBtnSystem, nullptr, TRUE);
  InvalidateRect(TBXBtnColor, nullptr, TRUE);
}

void TFormOptions::TBXBtnSystemClick() { ShowPage(TbShSystem.get()); }
void TFormOptions::TBXBtnColorClick() { ShowPage(TbShColor.get()); }

void TFormOptions::FormCreate() {
  ApplyStoredStyle();
  RegisterHotkeys({std::begin(kHotkeyActions), std::end(kHotkeyActions)});
  const OSVERSIONINFOW version = WindowsVersion();
  EnableWindow(TrBTrans, TransparencyBarEnabled(version.dwMajorVersion, version.dwMinorVersion));
}

void TFormOptions::RebuildMenus() {
  BuildTrayMenu();
  host_.RebuildNoteMenus();
}

void TFormOptions::ApplyStoredStyle() {
  MenuLook look;
  if (MenuLookFromStyle(host_.SharedState().CurrentStyle, look) && look != CurrentMenuLook()) {
    SetCurrentMenuLook(look);
    RebuildMenus();
  }
}

void TFormOptions::SettingsChanged() {
  ApplyStoredStyle();
  const TListColorScheme& schemes = host_.SharedState().ColorSchemes;
  std::vector<std::string> names;
  for (const TColorScheme& scheme : schemes) names.push_back(scheme.Name);
  // A scheme that is gone leaves none selected: "Save" then stores nothing.
  RefillCombo(CBSchemes, names);
  EnableControl(BtnSchDel, !schemes.empty());
  // The file's keys (read late, or changed by another writer) unless this
  // run chose its own; a refusal is told for a key that is new here.
  RegisterHotkeys(ChangedHotkeys());
}

void TFormOptions::FormShow() {
  // Only this window's own taskbar button is to show.
  if (HWND application = host_.ApplicationWindow()) ShowWindow(application, SW_HIDE);
  LoadControls();
}

void TFormOptions::LoadControls() {
  const ProgramState& state = host_.SharedState();
  SchemeToControls(state.CurrentScheme);
  SendMessageW(CBSchemes, CB_RESETCONTENT, 0, 0);
  for (const TColorScheme& scheme : state.ColorSchemes) AddComboItem(CBSchemes, scheme.Name);
  if (!state.ColorSchemes.empty()) {
    SendMessageW(CBSchemes, CB_SETCURSEL, 0, 0);
    CBSchemesChange();
  }
  SetChecked(ChBoxAutoRun, state.AutoRun);
  // A style that is neither leaves the radio buttons as they were.
  if (state.CurrentStyle == "Default") {
    SetChecked(RdBtnStyleWinXP, true);
    SetChecked(RdBtnStyleOffXP, false);
  } else if (state.CurrentStyle == "OfficeXP") {
    SetChecked(RdBtnStyleWinXP, false);
    SetChecked(RdBtnStyleOffXP, true);
  }
  LoadHotkeyControls();
  EnableControl(BtnSchSave, false);
  EnableControl(BtnApply, false);
}

void TFormOptions::SomeComponentChange() {
  EnableControl(BtnSchDel, !host_.SharedState().ColorSchemes.empty());
  EnableControl(BtnApply, true);
}

void TFormOptions::BtnApplyClick() {
  BtnSchSaveClick();
  host_.SaveSchemes();
  ApplySystemOptions();
  host_.SaveMainSettings();
  EnableControl(BtnApply, false);
}

void TFormOptions::ApplySystemOptions() {
  ProgramState& state = host_.SharedState();
  state.AutoRun = Checked(ChBoxAutoRun);
  auto apply = [&](MenuLook look, const char* style) {
    if (look != CurrentMenuLook()) {
      SetCurrentMenuLook(look);
      RebuildMenus();
    }
    state.CurrentStyle = style;
  };
  if (Checked(RdBtnStyleWinXP)) apply(MenuLook::Default, "Default");
  if (Checked(RdBtnStyleOffXP)) apply(MenuLook::OfficeXP, "OfficeXP");
  state.CurrentScheme = SchemeFromControls();
  ApplyHotkeys();
}

void TFormOptions::BtnOKClick() {
  BtnApplyClick();
  ShowWindow(m_hwnd, SW_HIDE);
}

void TFormOptions::BtnCancelClick() { ShowWindow(m_hwnd, SW_HIDE); }

void TFormOptions::OnCommand(int id, int code, HWND control) {
  // A control reached with Tab below the scrolled part comes into view.
  if (control && GetFocus() == control) ScrollBoxColor->ScrollIntoView(control);
  switch (id) {
    case IdBtnSystem: if (code == BN_CLICKED) TBXBtnSystemClick(); return;
    case IdBtnColor: if (code == BN_CLICKED) TBXBtnColorClick(); return;
    case IdBtnHelp: if (code == BN_CLICKED) BtnHelpClick(); return;
    case IdBtnOK: if (code == BN_CLICKED) BtnOKClick(); return;
    case IdBtnCancel: if (code == BN_CLICKED) BtnCancelClick(); return;
    case IdBtnApply: if (code == BN_CLICKED) BtnApplyClick(); return;
    case IdAutoRun:
    case IdStyleDefault:
    case IdStyleOfficeXP:
      if (code == BN_CLICKED) SomeComponentChange();
      return;
    case IdSchemes: if (code == CBN_SELCHANGE) CBSchemesChange(); return;
    // These buttons report focus for the scrolling, and so report a quick
    // second click as a double click: it is a click all the same.
    case IdSchNew: if (code == BN_CLICKED || code == BN_DOUBLECLICKED) BtnSchNewClick(); return;
    case IdSchSave: if (code == BN_CLICKED || code == BN_DOUBLECLICKED) BtnSchSaveClick(); return;
    case IdSchDel: if (code == BN_CLICKED || code == BN_DOUBLECLICKED) BtnSchDelClick(); return;
    case IdSchName: if (code == EN_CHANGE) SomeColorComponentChange(); return;
    case IdTitleGradType:
    case IdMemoGradType:
      if (code == CBN_SELCHANGE) SomeColorComponentChange();
      return;
    case IdTitleColor:
    case IdTitleFontColor:
    case IdTitleGradColor:
    case IdMemoColor:
    case IdMemoFontColor:
    case IdMemoGradColor:
      for (ColorPicker* picker : {&CBTitleColor, &CBTitleFontColor, &CBTitleGradColor, &CBMemoColor,
                                  &CBMemoFontColor, &CBMemoGradColor})
        if (picker->Handle() == control && picker->Notify(code, m_hwnd)) SomeColorComponentChange();
      return;
    case IDCANCEL:  // Escape anywhere in the window
      BtnCancelClick();
      return;
    case IDOK: {
      // Enter presses only a focused push button, never "&OK" on its own.
      HWND focus = GetFocus();
      if (focus && IsChild(m_hwnd, focus) && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) &
                                                (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        SendMessageW(focus, BM_CLICK, 0, 0);
      return;
    }
  }
}

LRESULT TFormOptions::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == TrBTrans) {
        int position = static_cast<int>(SendMessageW(TrBTrans, TBM_GETPOS, 0, 0));
        if (position != shownTransparency_) {
          shownTransparency_ = position;
          SomeColorComponentChange();
        }
      }
      return 0;
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_COMBOBOX) break;
      item->itemHeight = static_cast<UINT>(Scaled(kPickerItemHeight));
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlType == ODT_STATIC) {
        DrawLabel(item);
        return TRUE;
      }
      if (item.CtlType == ODT_BUTTON) {
        DrawPageButton(item);
        return TRUE;
      }
      for (const ColorPicker* picker : {&CBTitleColor, &CBTitleFontColor, &CBTitleGradColor, &CBMemoColor,
                                        &CBMemoFontColor, &CBMemoGradColor})
        if (picker->Handle() == item.hwndItem) {
          picker->DrawItem(item);
          return TRUE;
        }
      break;
    }
    case WM_SIZE:
      LayoutControls();
      return 0;
    case WM_DPICHANGED:
      // The fonts first, so that the layout the move brings is for the new DPI.
      ApplyDpi(NewDpiOf(wParam));
      MoveToSuggestedRect(m_hwnd, lParam);
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = {Scaled(kMinWidth), Scaled(kMinHeight)};
      return 0;
    }
    case WM_CLOSE:
      BtnCancelClick();  // hidden, never destroyed before the program ends
      return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
      if (ContrastMayHaveChanged(msg, wParam)) {
        TBXPageScrollerMenu->SetBackground(Resolved(StripColors().strip));
        for (HWND button : {TBXBtnSystem, TBXBtnColor}) InvalidateRect(button, nullptr, TRUE);
      }
      break;
    case WM_HOTKEY:
      HotkeyPressed(static_cast<int>(wParam));
      return 0;
    case kShowTakenHotkeys:
      ShowTakenHotkeys();
      return 0;
    case WM_DESTROY:
      UnregisterHotkeys();
      RemoveModelessDialog(m_hwnd);
      break;
  }
  return DefaultHandling(msg, wParam, lParam);
}

}  // namespace wisplet
