#include "dialogs/form_sticker.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "base/dialog_kit.h"
#include "base/dpi.h"
#include "base/wide_text.h"
#include "base/message_loop.h"
#include "dialogs/dialog_host.h"
#include "model/anchors.h"
#include "model/unicode.h"
#include "notes/sticker_window.h"
#include "resources/resource.h"

namespace wisplet {
namespace {

const wchar_t kClassName[] = L"TFormSticker";
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE;

// Sizes as drawn at 96 DPI: the outer size, the client area the child
// positions were laid out in, and the smallest outer size.
constexpr int kDesignWidth = 350, kDesignHeight = 279;
constexpr int kDesignClientWidth = 342, kDesignClientHeight = 245;
constexpr int kMinWidth = 150, kMinHeight = 150;
constexpr int kComboItemHeight = 13;
constexpr int kComboHeight = 21;  // the closed list
constexpr int kComboDropItems = 8;  // how many schemes the open list shows at once
constexpr int kTitleLimit = 100;  // characters; a pair of surrogates is one
constexpr int kEdgeGap = 5;  // from the work area's bottom-right corner

// Sent by a subclassed control with each typed character before it sees the
// character; the result is the character to go on with, 0 for none.
constexpr UINT kKeyPreview = WM_APP + 1;

// Identifiers kept clear of IDOK and IDCANCEL, which the dialog manager sends
// for Enter and Escape.
enum ControlId { IdLabel1 = 101, IdTitle, IdLabel2, IdMemo, IdLabel3, IdSchemes, IdNew };

// Every lone CR and every lone LF becomes CR LF, as the memo control needs.
std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

// Made for the primary display, where it opens.
TFormSticker::TFormSticker(DialogHost& host) : host_(host), fonts_(DpiOfPoint(POINT{0, 0})) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClass(kClassName, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                      LoadIconW(instance, MAKEINTRESOURCEW(IDI_WISPLET)));
  Create(kClassName, kExStyle, kStyle, CW_USEDEFAULT, CW_USEDEFAULT, Scaled(kDesignWidth),
         Scaled(kDesignHeight), nullptr);
  if (!m_hwnd) return;
  CreateControls();
  LayoutControls();
  FitComboHeight(CBSchemes, Scaled(kComboHeight));
  AddModelessDialog(m_hwnd);
  // FormCreate: ready for a new note; the schemes are not loaded yet.
  PrepareNewNote();
}

TFormSticker::~TFormSticker() {
  // The controls use the fonts until the window is gone.
  if (m_hwnd) DestroyWindow(m_hwnd);
}

int TFormSticker::Scaled(int designPixels) const { return MulDiv(designPixels, fonts_.Dpi(), 96); }

void TFormSticker::ApplyDpi(int dpi) {
  fonts_.ChangeDpi(dpi, m_hwnd);
  SendMessageW(CBSchemes, CB_SETITEMHEIGHT, 0, Scaled(kComboItemHeight));
  FitComboHeight(CBSchemes, Scaled(kComboHeight));
  LayoutControls();
}

void TFormSticker::CreateControls() {
  auto make = [&](DWORD exStyle, const wchar_t* cls, const char* text, DWORD style, int id) {
    bool label = std::wstring_view(cls) == L"STATIC";
    return CreateChild(m_hwnd, exStyle, cls, text, style, id,
                       fonts_.Get(label ? DialogFonts::BoldUnderline : DialogFonts::Normal));
  };
  // Creation order is the tab order; the labels take no focus.
  TBXLabel1 = make(0, L"STATIC", "Title", SS_LEFT | SS_NOPREFIX, IdLabel1);
  EditTitle = make(WS_EX_CLIENTEDGE, L"EDIT", "New Sticker Title", WS_TABSTOP | ES_AUTOHSCROLL, IdTitle);
  TBXLabel2 = make(0, L"STATIC", "Memo", SS_LEFT | SS_NOPREFIX, IdLabel2);
  // No ES_AUTOHSCROLL and no horizontal bar: long lines wrap.
  MemoBody = make(WS_EX_CLIENTEDGE, L"EDIT", "New Sticker Memo",
                  WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, IdMemo);
  TBXLabel3 = make(0, L"STATIC", "Color Scheme", SS_LEFT | SS_NOPREFIX, IdLabel3);
  // Drawn by us only so that its items are 13 pixels high whatever the
  // system makes of the font; it keeps its strings for CB_GETLBTEXT.
  CBSchemes = make(0, L"COMBOBOX", "",
                   WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, IdSchemes);
  BtnNew = make(0, L"BUTTON", "Create New", WS_TABSTOP | BS_PUSHBUTTON, IdNew);

  // The edit's own limit counts UTF-16 units and would cut a pasted pair of
  // surrogates in two; the title's limit is kept by EditTitleChange instead.
  titleShown_ = Wide(WindowText(EditTitle));
  for (HWND control : {EditTitle, MemoBody, CBSchemes, BtnNew})
    SetWindowSubclass(control, &TFormSticker::ControlProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

void TFormSticker::DrawSchemeItem(const DRAWITEMSTRUCT& item) {
  DrawComboItem(item, item.rcItem.left + Scaled(2), fonts_.Get(DialogFonts::Normal));
}

void TFormSticker::LayoutControls() {
  // Moving a control can let the size loop deliver the next WM_SIZE before
  // this one is done; the nested call only asks for another pass, so the last
  // size always wins.
  if (layingOut_) {
    layoutAgain_ = true;
    return;
  }
  layingOut_ = true;
  do {
    layoutAgain_ = false;
    PlaceControls();
  } while (layoutAgain_);
  layingOut_ = false;
}

void TFormSticker::PlaceControls() {
  // A drop-down list's window height includes its open list.
  const int comboHeight = kComboHeight + kComboItemHeight * kComboDropItems + 2;
  PlaceAnchoredControls(m_hwnd,
                        {
                            {TBXLabel1, {4, 4, 339, 18}, AnchorLeft | AnchorTop | AnchorRight},
                            {EditTitle, {4, 20, 339, 41}, AnchorLeft | AnchorTop | AnchorRight},
                            {TBXLabel2, {3, 44, 338, 58}, AnchorLeft | AnchorTop | AnchorRight},
                            {MemoBody, {4, 60, 339, 165}, AnchorLeft | AnchorTop | AnchorRight | AnchorBottom},
                            {TBXLabel3, {3, 168, 338, 182}, AnchorLeft | AnchorRight | AnchorBottom},
                            {CBSchemes, {4, 184, 339, 184 + comboHeight}, AnchorLeft | AnchorRight | AnchorBottom},
                            {BtnNew, {235, 214, 340, 238}, AnchorRight | AnchorBottom},
                        },
                        kDesignClientWidth, kDesignClientHeight, fonts_.Dpi());
}

void TFormSticker::FillSchemeList() {
  SendMessageW(CBSchemes, CB_RESETCONTENT, 0, 0);
  for (const TColorScheme& scheme : host_.SharedState().ColorSchemes) AddComboItem(CBSchemes, scheme.Name);
  if (SendMessageW(CBSchemes, CB_GETCOUNT, 0, 0) > 0) SendMessageW(CBSchemes, CB_SETCURSEL, 0, 0);
}

void TFormSticker::SchemesChanged() {
  std::vector<std::string> names;
  for (const TColorScheme& scheme : host_.SharedState().ColorSchemes) names.push_back(scheme.Name);
  if (!RefillCombo(CBSchemes, names) && !names.empty()) SendMessageW(CBSchemes, CB_SETCURSEL, 0, 0);
}

void TFormSticker::PrepareNewNote() {
  if (!IsWindowVisible(m_hwnd)) {
    RECT work{}, bounds{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(m_hwnd, &bounds);
    int top = work.bottom - (bounds.bottom - bounds.top) - Scaled(kEdgeGap);
    int left = work.right - (bounds.right - bounds.left) - Scaled(kEdgeGap);
    SetWindowPos(m_hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetText(m_hwnd, "New Note");
  SetText(BtnNew, "Create New");
  EditMode = false;
  FillSchemeList();
}

void TFormSticker::ShowNewNote() {
  PrepareNewNote();
  ShowDialog();
}

void TFormSticker::ShowFromTray(const std::string& memo) {
  PrepareNewNote();
  if (!memo.empty()) SetText(MemoBody, WithCrLf(memo));
  ShowDialog();
  ProcessMessages();
  if (IsWindowVisible(m_hwnd) && IsWindowEnabled(m_hwnd)) {
    SetForegroundWindow(m_hwnd);
    HWND focus = GetFocus();
    if (focus != m_hwnd && !IsChild(m_hwnd, focus)) SetFocus(EditTitle);
  }
}

void TFormSticker::ShowEditNote(TStickerWindow& note) {
  PrepareNewNote();
  ShowDialog();
  SetText(m_hwnd, "Edit Note");
  SetText(BtnNew, "Complete Edit");
  EditMode = true;
  EditedNote = &note;
  SetTitleText(note.Title);
  SetText(MemoBody, WithCrLf(note.Memo));
  editStart_ = {note.Title, note.Memo, WindowText(EditTitle), WindowText(MemoBody)};
  // Character for character, case-sensitive: CB_FINDSTRINGEXACT would ignore case.
  LRESULT count = SendMessageW(CBSchemes, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (ComboItemText(CBSchemes, static_cast<int>(i)) == note.Scheme.Name) {
      SendMessageW(CBSchemes, CB_SETCURSEL, i, 0);
      break;
    }
  }
  // New text drops the selection that entering the field made; typing should
  // still replace the whole field.
  HWND focus = GetFocus();
  if (focus == EditTitle || focus == MemoBody) MemoBodyEnter(focus);
}

void TFormSticker::ShowDialog() {
  if (!IsWindowVisible(m_hwnd)) FormShow();
  ShowWindow(m_hwnd, SW_SHOW);
  SetWindowPos(m_hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(m_hwnd);
}

void TFormSticker::FormShow() {
  if (GetWindowTextLengthW(MemoBody) == 0) SetText(MemoBody, "New Note Text");
  // Only the dialog's own taskbar button is to show.
  if (HWND application = host_.ApplicationWindow()) ShowWindow(application, SW_HIDE);
}

void TFormSticker::FormActivate() { SetFocus(EditTitle); }

wchar_t TFormSticker::FormKeyPress(wchar_t key) {
  // Ctrl+Enter and Ctrl+J both type a line feed: complete the dialog.
  if (key == L'\n') {
    BtnNewClick();
    return 0;
  }
  return key;
}

void TFormSticker::MemoBodyEnter(HWND control) { SendMessageW(control, EM_SETSEL, 0, -1); }

void TFormSticker::SetTitleText(const std::string& title) {
  // A title set by the program is shown whole, however long.
  settingTitle_ = true;
  SetText(EditTitle, title);
  settingTitle_ = false;
  titleShown_ = Wide(WindowText(EditTitle));
}

void TFormSticker::EditTitleChange() {
  if (settingTitle_) return;
  std::wstring now = Wide(WindowText(EditTitle));
  auto units = [](const std::wstring& s) { return std::u16string_view(reinterpret_cast<const char16_t*>(s.data()), s.size()); };
  if (auto excess = ExcessOfEdit(units(titleShown_), units(now), kTitleLimit)) {
    // What does not fit goes again, as the edit's own limit would refuse it;
    // the caret stays behind what was kept.
    MessageBeep(MB_OK);
    SendMessageW(EditTitle, EM_SETSEL, excess->first, excess->last);
    SendMessageW(EditTitle, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    now = Wide(WindowText(EditTitle));
  }
  titleShown_ = std::move(now);
}

void TFormSticker::BtnNewClick() {
  ShowWindow(m_hwnd, SW_HIDE);
  ProgramState& state = host_.SharedState();
  LRESULT index = SendMessageW(CBSchemes, CB_GETCURSEL, 0, 0);
  // The options window may have deleted schemes while the list was open; a
  // position past the end keeps the current scheme.
  if (index >= 0 && static_cast<std::size_t>(index) < state.ColorSchemes.size())
    state.CurrentScheme = state.ColorSchemes[static_cast<std::size_t>(index)];
  std::string title = WindowText(EditTitle);
  std::string memo = WindowText(MemoBody);
  if (EditMode && host_.IsLive(EditedNote)) {
    TStickerWindow& note = *EditedNote;
    // Text changed elsewhere while it was edited here: unchanged here, the
    // note keeps it; changed here too, it stays beside it as a second note.
    const bool changedThere = note.Title != editStart_.noteTitle || note.Memo != editStart_.noteMemo;
    const bool changedHere = title != editStart_.title || memo != editStart_.memo;
    if (changedThere && !changedHere) {
      title = note.Title;
      memo = note.Memo;
    } else if (changedThere && (title != note.Title || memo != WithCrLf(note.Memo))) {
      host_.KeepAsSecondNote(note);
    }
    host_.UpdateSticker(note, title, memo, state.CurrentScheme);
  } else {
    // A note closed while it was being edited is gone for good: keep what was
    // typed as a new note instead.
    if (EditMode) {
      EditMode = false;
      EditedNote = nullptr;
    }
    host_.CreateSticker(title, memo, state.CurrentScheme);
  }
  ProcessMessages();
  host_.SaveAllStickers();
  ProcessMessages();
}

void TFormSticker::FocusNextControl(WPARAM wParam, LPARAM lParam) {
  HWND focus = GetFocus();
  HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                               : GetNextDlgTabItem(m_hwnd, IsChild(m_hwnd, focus) ? focus : nullptr, wParam != 0);
  if (target) SetFocus(target);
}

LRESULT TFormSticker::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      LayoutControls();
      return 0;
    case WM_DPICHANGED:
      // The fonts first, so that the layout the move brings is for the new DPI.
      ApplyDpi(NewDpiOf(wParam));
      MoveToSuggestedRect(m_hwnd, lParam);
      return 0;
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_COMBOBOX || item->CtlID != IdSchemes) break;
      // The closed field gets its height from FitComboHeight; this is the items'.
      item->itemHeight = static_cast<UINT>(Scaled(kComboItemHeight));
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_COMBOBOX || item->CtlID != IdSchemes) break;
      DrawSchemeItem(*item);
      return TRUE;
    }
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = {Scaled(kMinWidth), Scaled(kMinHeight)};
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
        FormActivate();
        return 0;
      }
      break;
    case WM_CLOSE:
      // The close box only hides: nothing is created, changed or saved.
      ShowWindow(m_hwnd, SW_HIDE);
      return 0;
    case WM_NEXTDLGCTL:
      // A multi-line edit asks its parent for the next control on Tab; we are
      // not a dialog-class window, so the default procedure would not answer.
      FocusNextControl(wParam, lParam);
      return 0;
    case kKeyPreview:
      return static_cast<LRESULT>(FormKeyPress(static_cast<wchar_t>(wParam)));
    case WM_CHAR:
      if (!FormKeyPress(static_cast<wchar_t>(wParam))) return 0;
      break;
    case WM_COMMAND: {
      int id = LOWORD(wParam), code = HIWORD(wParam);
      if (id == IdNew && code == BN_CLICKED) {
        BtnNewClick();
      } else if (id == IdTitle && code == EN_CHANGE) {
        EditTitleChange();
      } else if ((id == IdTitle || id == IdMemo) && code == EN_SETFOCUS) {
        MemoBodyEnter(reinterpret_cast<HWND>(lParam));
      } else if (id == IDOK && GetFocus() == BtnNew) {
        // Enter on the focused button presses it; elsewhere plain Enter does nothing.
        BtnNewClick();
      }
      // IDCANCEL (Escape) is ignored: Escape does not close the dialog.
      return 0;
    }
    case WM_DESTROY:
      RemoveModelessDialog(m_hwnd);
      break;
  }
  return DefaultHandling(msg, wParam, lParam);
}

LRESULT CALLBACK TFormSticker::ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR data) {
  auto* form = reinterpret_cast<TFormSticker*>(data);
  switch (msg) {
    case WM_GETDLGCODE: {
      LRESULT code = DefSubclassProc(hwnd, msg, wParam, lParam);
      // Ctrl+Enter must reach us as a typed line feed, not be turned into the
      // dialog manager's default-button press, which would make no character.
      const auto* m = reinterpret_cast<const MSG*>(lParam);
      if (m && ((m->message == WM_KEYDOWN && m->wParam == VK_RETURN && GetKeyState(VK_CONTROL) < 0) ||
                (m->message == WM_CHAR && m->wParam == '\n')))
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
    case WM_CHAR:
      // Inside a dialog a multi-line edit posts WM_CLOSE to its parent on
      // Escape, which would hide the editor; Escape does not close it.
      if (hwnd == form->MemoBody && wParam == VK_ESCAPE) return 0;
      if (msg == WM_CHAR) {
        LRESULT key = SendMessageW(form->m_hwnd, kKeyPreview, wParam, 0);
        if (key == 0) return 0;
        // Tab has moved the focus on already; it types no tab into the memo.
        if (hwnd == form->MemoBody && key == '\t' && GetKeyState(VK_CONTROL) >= 0) return 0;
        wParam = static_cast<WPARAM>(key);
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, &TFormSticker::ControlProc, id);
      break;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace wisplet
