#pragma once
// Identifiers of the options window's controls, kept clear of IDOK and
// IDCANCEL, which the dialog manager sends for Enter and Escape.

namespace wisplet::options {

enum ControlId : int {
  IdLabel = 100,  // every label; they take no input
  IdPanelMenu = 200,
  IdPageStrip,
  IdBtnSystem,
  IdBtnColor,
  IdPageSystem,
  IdPageColor,
  IdBtnHelp,
  IdBtnOK,
  IdBtnCancel,
  IdBtnApply,
  IdAutoRun = 300,
  IdStyleDefault,
  IdStyleOfficeXP,
  IdHotkeyNewNote,
  IdHotkeyShowHide,
  IdScrollBoxColor = 400,
  IdSchemes,
  IdSchNew,
  IdSchSave,
  IdSchDel,
  IdSchName,
  IdTrans,
  IdTitleColor,
  IdTitleFontColor,
  IdTitleGradType,
  IdTitleGradColor,
  IdMemoColor,
  IdMemoFontColor,
  IdMemoGradType,
  IdMemoGradColor,
};

// The window as designed at 96 DPI.
constexpr int kDesignWidth = 556, kDesignHeight = 430;
constexpr int kDesignClientWidth = 548, kDesignClientHeight = 396;
constexpr int kMinWidth = 450, kMinHeight = 300;
constexpr int kControlHeight = 21;  // edits and closed drop-down lists
constexpr int kContentHeight = 345;  // what the color-schemes page needs
constexpr int kPickerItemHeight = 16;  // an item of a color picker
constexpr int kThumbLength = 15;  // the transparency bar's thumb, leaving room for the ticks

}  // namespace wisplet::options
