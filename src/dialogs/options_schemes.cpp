// The options window's color-schemes page: a scheme chosen in the list is
// shown in the controls below it; "New", "Save" and "Delete" change the list
// in memory at once.
#include <windows.h>
#include <commctrl.h>

#include "dialogs/dialog_host.h"
#include "dialogs/form_options.h"
#include "dialogs/form_sticker.h"
#include "dialogs/options_ids.h"
#include "model/anchors.h"
#include "model/scheme_editor.h"

namespace wisplet {

using namespace options;

namespace {

constexpr int kSchemesDropItems = 12;
constexpr int kPickerDropItems = 14;

const char* const kGradientNames[] = {"Horizontal",  "Vertical", "LeftBias", "RightBias", "Rectangle",
                                      "Horizontal Convergent", "Vertical Convergent", "None"};

int Selection(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }
int ItemCount(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); }

}  // namespace

void TFormOptions::CreateSchemesPage() {
  ScrollBoxColor = std::make_unique<Panel>(TbShColor->Handle(), IdScrollBoxColor,
                                           Panel::Options{CLR_INVALID, Panel::Frame::None, 0, true});
  ScrollBoxColor->SetContentHeight(Scaled(kContentHeight));
  HWND box = ScrollBoxColor->Handle();
  HFONT font = fonts_.Get(DialogFonts::Normal);
  constexpr unsigned across = AnchorLeft | AnchorTop | AnchorRight;
  constexpr unsigned fixed = AnchorLeft | AnchorTop;
  auto& layout = colorLayout_;
  auto control = [&](HWND hwnd, Rect design) {
    layout.push_back({hwnd, design, fixed});
    return hwnd;
  };
  // A drop-down list's window height includes its open list.
  auto dropDown = [&](int left, int top, int items, int itemHeight) {
    return Rect{left, top, left + 145, top + kControlHeight + items * itemHeight + 2};
  };
  auto picker = [&](ColorPicker& p, int id, int left, int top) {
    p.Create(box, id, font);
    control(p.Handle(), dropDown(left, top, kPickerDropItems, kPickerItemHeight));
  };
  auto gradientList = [&](int id, int left, int top) {
    HWND list = CreateChild(box, 0, L"COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, id, font);
    for (const char* name : kGradientNames) AddComboItem(list, name);
    return control(list, dropDown(left, top, 8, 13));
  };

  // In tab order.
  CreateLabel(box, layout, " Color schemes ", LabelKind::Heading, {2, 2, 445, 20}, across);
  CreateLabel(box, layout, " Avaible schemes ", LabelKind::Section, {2, 26, 445, 43}, across);
  CBSchemes = control(CreateChild(box, 0, L"COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, IdSchemes, font),
                      dropDown(8, 49, kSchemesDropItems, 13));
  BtnSchNew = control(CreateChild(box, 0, L"BUTTON", "New", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, IdSchNew, font),
                      {164, 49, 215, 70});
  BtnSchSave = control(CreateChild(box, 0, L"BUTTON", "Save", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY | WS_DISABLED, IdSchSave, font),
                       {220, 49, 271, 70});
  BtnSchDel = control(CreateChild(box, 0, L"BUTTON", "Delete", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, IdSchDel, font),
                      {276, 49, 327, 70});
  CreateLabel(box, layout, " Scheme name and colors ", LabelKind::Section, {2, 78, 445, 95}, across);
  CreateLabel(box, layout, "Name:", LabelKind::Bold, {8, 101, 153, 114}, fixed);
  EdSchName = control(CreateChild(box, WS_EX_CLIENTEDGE, L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, IdSchName, font),
                      {8, 116, 153, 137});
  CreateLabel(box, layout, "Transparency:", LabelKind::Bold, {168, 101, 318, 114}, fixed);
  TrBTrans = control(CreateChild(box, 0, TRACKBAR_CLASSW, "",
                                 WS_TABSTOP | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS | TBS_FIXEDLENGTH, IdTrans, font),
                     {160, 116, 310, 141});
  // A thumb short enough to leave room for the ticks below it.
  SendMessageW(TrBTrans, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(Scaled(kThumbLength)), 0);
  SendMessageW(TrBTrans, TBM_SETRANGE, FALSE, MAKELPARAM(0, kTransparencyPositions - 1));
  SendMessageW(TrBTrans, TBM_SETTICFREQ, 1, 0);
  SendMessageW(TrBTrans, TBM_SETPAGESIZE, 0, 1);

  // The title's four settings, then the same four for the text area below.
  auto area = [&](const char* heading, int top, ColorPicker& color, int colorId, ColorPicker& font, int fontId,
                  HWND& type, int typeId, ColorPicker& gradient, int gradientId) {
    CreateLabel(box, layout, heading, LabelKind::Bold, {2, top, 445, top + 14}, across);
    CreateLabel(box, layout, "Color:", LabelKind::Plain, {8, top + 18, 153, top + 31}, fixed);
    picker(color, colorId, 8, top + 32);
    CreateLabel(box, layout, "Font color:", LabelKind::Plain, {164, top + 18, 309, top + 31}, fixed);
    picker(font, fontId, 164, top + 32);
    CreateLabel(box, layout, "Gradient type:", LabelKind::Plain, {8, top + 58, 153, top + 71}, fixed);
    type = gradientList(typeId, 8, top + 72);
    CreateLabel(box, layout, "Gradient color:", LabelKind::Plain, {164, top + 58, 309, top + 71}, fixed);
    picker(gradient, gradientId, 164, top + 72);
  };
  area("  Title", 146, CBTitleColor, IdTitleColor, CBTitleFontColor, IdTitleFontColor, CBTitleGradType,
       IdTitleGradType, CBTitleGradColor, IdTitleGradColor);
  area("  Memo", 246, CBMemoColor, IdMemoColor, CBMemoFontColor, IdMemoFontColor, CBMemoGradType, IdMemoGradType,
       CBMemoGradColor, IdMemoGradColor);

  FitSchemeCombos();
}

void TFormOptions::FitSchemeCombos() {
  for (const ColorPicker* p : {&CBTitleColor, &CBTitleFontColor, &CBTitleGradColor, &CBMemoColor, &CBMemoFontColor,
                               &CBMemoGradColor})
    SendMessageW(p->Handle(), CB_SETITEMHEIGHT, 0, Scaled(kPickerItemHeight));
  for (HWND combo : {CBSchemes, CBTitleGradType, CBMemoGradType, CBTitleColor.Handle(), CBTitleFontColor.Handle(),
                     CBTitleGradColor.Handle(), CBMemoColor.Handle(), CBMemoFontColor.Handle(),
                     CBMemoGradColor.Handle()})
    FitComboHeight(combo, Scaled(kControlHeight));
}

void TFormOptions::SchemeToControls(const TColorScheme& s) {
  SetText(EdSchName, s.Name);
  shownTransparency_ = TransparencyPosition(s.AlphaBlendValue);
  SendMessageW(TrBTrans, TBM_SETPOS, TRUE, shownTransparency_);
  CBTitleColor.SetColor(s.TitleColor);
  CBTitleFontColor.SetColor(s.TitleFontColor);
  CBTitleGradColor.SetColor(s.TitleGradColor);
  shownTitleGradType_ = s.TitleGradType;
  SendMessageW(CBTitleGradType, CB_SETCURSEL, s.TitleGradType, 0);  // none selected beyond the eight
  CBMemoColor.SetColor(s.MemoColor);
  CBMemoFontColor.SetColor(s.MemoFontColor);
  CBMemoGradColor.SetColor(s.MemoGradColor);
  shownMemoGradType_ = s.MemoGradType;
  SendMessageW(CBMemoGradType, CB_SETCURSEL, s.MemoGradType, 0);
}

TColorScheme TFormOptions::SchemeFromControls() const {
  TColorScheme s;
  s.Name = WindowText(EdSchName);
  s.AlphaBlendValue = AlphaBlendFromPosition(static_cast<int>(SendMessageW(TrBTrans, TBM_GETPOS, 0, 0)));
  s.TitleColor = CBTitleColor.Color();
  s.TitleFontColor = CBTitleFontColor.Color();
  s.TitleGradColor = CBTitleGradColor.Color();
  // A type the lists cannot show (from a hand-edited file) stays as it was
  // until another is chosen.
  const int titleType = Selection(CBTitleGradType), memoType = Selection(CBMemoGradType);
  s.TitleGradType = titleType < 0 ? shownTitleGradType_ : static_cast<std::uint8_t>(titleType);
  s.MemoColor = CBMemoColor.Color();
  s.MemoFontColor = CBMemoFontColor.Color();
  s.MemoGradColor = CBMemoGradColor.Color();
  s.MemoGradType = memoType < 0 ? shownMemoGradType_ : static_cast<std::uint8_t>(memoType);
  return s;
}

void TFormOptions::CBSchemesChange() {
  const bool applyEnabled = IsWindowEnabled(BtnApply);
  const TListColorScheme& schemes = host_.SharedState().ColorSchemes;
  const int index = Selection(CBSchemes);
  if (schemes.empty())
    SchemeToControls(host_.SharedState().CurrentScheme);
  else if (index >= 0 && static_cast<std::size_t>(index) < schemes.size())
    SchemeToControls(schemes[static_cast<std::size_t>(index)]);
  InvalidateRect(CBSchemes, nullptr, TRUE);
  EnableControl(BtnSchSave, false);
  EnableControl(BtnApply, applyEnabled);
}

void TFormOptions::SomeColorComponentChange() {
  EnableControl(BtnSchSave, true);
  EnableControl(BtnApply, true);
}

void TFormOptions::BtnSchNewClick() {
  std::vector<std::string> items;
  for (int i = 0, n = ItemCount(CBSchemes); i < n; ++i) items.push_back(ComboItemText(CBSchemes, i));
  const std::string name = NewSchemeName(items);
  LRESULT added = AddComboItem(CBSchemes, name);
  SetText(EdSchName, name);
  ProgramState& state = host_.SharedState();
  AddScheme(state.ColorSchemes, state.CurrentScheme);
  // Selecting by message runs no change handler: the controls keep showing
  // what they showed before.
  SendMessageW(CBSchemes, CB_SETCURSEL, static_cast<WPARAM>(added), 0);
  SomeComponentChange();
  if (TFormSticker* editor = host_.Editor()) editor->FillSchemeList();
}

void TFormOptions::BtnSchSaveClick() {
  TListColorScheme& schemes = host_.SharedState().ColorSchemes;
  const int k = Selection(CBSchemes);
  if (k >= 0 && k < ItemCount(CBSchemes) && static_cast<std::size_t>(k) < schemes.size()) {
    const std::string name = WindowText(EdSchName);
    SendMessageW(CBSchemes, CB_DELETESTRING, static_cast<WPARAM>(k), 0);
    AddComboItem(CBSchemes, name, k);
    SendMessageW(CBSchemes, CB_SETCURSEL, static_cast<WPARAM>(k), 0);
    schemes[static_cast<std::size_t>(k)] = SchemeFromControls();
  }
  EnableControl(BtnSchSave, false);
  if (TFormSticker* editor = host_.Editor()) editor->FillSchemeList();
}

void TFormOptions::BtnSchDelClick() {
  TListColorScheme& schemes = host_.SharedState().ColorSchemes;
  const int k = Selection(CBSchemes);
  if (ItemCount(CBSchemes) > 0 && k >= 0 && static_cast<std::size_t>(k) < schemes.size()) {
    // By position: the combo's items and the list correspond index for index,
    // and a new entry can share its name with an older one.
    DeleteScheme(schemes, static_cast<std::size_t>(k));
    SendMessageW(CBSchemes, CB_DELETESTRING, static_cast<WPARAM>(k), 0);
    if (const int left = ItemCount(CBSchemes); left > 0)
      SendMessageW(CBSchemes, CB_SETCURSEL, static_cast<WPARAM>(k < left ? k : left - 1), 0);
    CBSchemesChange();
    if (TFormSticker* editor = host_.Editor()) editor->FillSchemeList();
  }
  SomeComponentChange();
}

}  // namespace wisplet
