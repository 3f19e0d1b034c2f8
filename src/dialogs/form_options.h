#pragma once
// The options window: the system page (start with Windows, menu look) and the
// color-schemes page, applied with "&Apply" or "&OK". It also carries the
// tray icon and the tray menu, whose handlers work whether or not the window
// is shown.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "base/color_picker.h"
#include "base/dialog_kit.h"
#include "base/hotkey_box.h"
#include "base/panel.h"
#include "base/tray_icon.h"
#include "base/win32_handles.h"
#include "base/window.h"
#include "model/scheme.h"

namespace wisplet {

class DialogHost;

class TFormOptions : public Window {
 public:
  explicit TFormOptions(DialogHost& host);
  ~TFormOptions() override;

  // Applies the stored menu style and sets up the version-dependent controls.
  void FormCreate();
  // Builds every menu of the program again in the current look.
  void RebuildMenus();
  // Puts the menus in the look CurrentStyle names, if it names one.
  void ApplyStoredStyle();
  // ColorSchemes or the menu style changed from the settings file (written
  // elsewhere, or read at last): the scheme list stands for ColorSchemes
  // item for item again, the fields keep what they show.
  void SettingsChanged();

  // The frame and the system page.
  void FormShow();
  void LoadControls();
  void TBXBtnSystemClick();
  void TBXBtnColorClick();
  void SomeComponentChange();
  void BtnApplyClick();
  void BtnOKClick();
  void BtnCancelClick();
  void ApplySystemOptions();

  // The system-wide keys: registered with Windows on this window from
  // start-up on, and again when "&Apply" or "&OK" changes them.
  void RegisterHotkeys(const std::vector<HotkeyAction>& report);
  void HotkeyPressed(int id);
  // Start-up is over and the program runs: what start-up found to tell
  // (keys another program holds) comes up now.
  void StartUpDone();

  // The color-schemes page.
  void SchemeToControls(const TColorScheme& scheme);
  TColorScheme SchemeFromControls() const;
  void CBSchemesChange();
  void SomeColorComponentChange();
  void BtnSchNewClick();
  void BtnSchSaveClick();
  void BtnSchDelClick();

  // The tray icon and its menu.
  void RxMainTrayIconClick();
  void TBXItemMainNewClick();
  void TBXItemMainOptionsClick();
  void BtnHelpClick();
  void TBXItemMainAboutClick();
  void TBXItemMainShowAllClick();
  void TBXItemMainHideAllClick();
  void NotesListItemClick(std::size_t index);
  void TBXItemMainExitClick();

  HMENU TrayMenu() const { return trayMenu_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  // Labels are drawn by the window: a heading, a section with a line below,
  // or plain or bold text.
  enum class LabelKind { Heading, Section, Bold, Plain };
  HWND CreateLabel(HWND parent, std::vector<AnchoredControl>& layout, const char* text, LabelKind kind,
                   Rect design, unsigned anchors);
  void DrawLabel(const DRAWITEMSTRUCT& item) const;
  void DrawPageButton(const DRAWITEMSTRUCT& item) const;

  void CreateFrame();
  void CreateSystemPage();
  void CreateSchemesPage();
  // Posted to tell of system-wide keys another program holds.
  static constexpr UINT kShowTakenHotkeys = WM_APP + 1;
  void CreateHotkeysSection();
  void LoadHotkeyControls();
  // Takes the key boxes into the program state and registers what changed.
  void ApplyHotkeys();
  void UnregisterHotkeys();
  // The actions whose key differs from the one last asked for.
  std::vector<HotkeyAction> ChangedHotkeys() const;
  void HotkeyBoxFocus(bool focused);
  void ShowTakenHotkeys();
  void LayoutControls();
  void ShowPage(Panel* page);
  void OnCommand(int id, int code, HWND control);
  int Scaled(int designPixels) const;
  // Fonts, pictures, item heights and layout for the DPI of the display the
  // window is on.
  void ApplyDpi(int dpi);
  void LoadPageImages();
  // Closed drop-down lists as high as an edit, open ones with their items.
  void FitSchemeCombos();

  void CreateTray();
  void BuildTrayMenu();
  // At the cursor, or at the icon when the keyboard opened it.
  void OpenTrayMenu(POINT at);
  void RunTrayCommand(UINT command);
  LRESULT TrayWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  DialogHost& host_;
  // Where each control goes in its container as the window is resized.
  std::vector<AnchoredControl> frameLayout_;
  std::vector<AnchoredControl> systemLayout_;
  std::vector<AnchoredControl> colorLayout_;
  DialogFonts fonts_;
  GdiObject systemImage_;
  GdiObject colorImage_;

  // The frame.
  std::unique_ptr<Panel> PanelMenu;
  std::unique_ptr<Panel> TBXPageScrollerMenu;
  HWND TBXBtnSystem = nullptr;
  HWND TBXBtnColor = nullptr;
  std::unique_ptr<Panel> TbShSystem;
  std::unique_ptr<Panel> TbShColor;
  Panel* shownPage_ = nullptr;
  HWND BtnHelp = nullptr;
  HWND BtnOK = nullptr;
  HWND BtnCancel = nullptr;
  HWND BtnApply = nullptr;

  // The system page.
  HWND ChBoxAutoRun = nullptr;
  HWND RdBtnStyleWinXP = nullptr;
  HWND RdBtnStyleOffXP = nullptr;
  // One box per action of kHotkeyActions, in that order.
  std::array<HotkeyBox, std::size(kHotkeyActions)> hotkeyBoxes_;
  std::array<bool, std::size(kHotkeyActions)> hotkeyRegistered_{};
  // The keys last asked for, taken or not, so that a refusal is told once.
  std::array<Hotkey, std::size(kHotkeyActions)> hotkeyWanted_{};
  bool hotkeysSuspended_ = false;  // while a key box has the keyboard
  bool startingUp_ = true;
  std::string takenHotkeys_;       // the message about refused keys, still to show

  // The color-schemes page, in a panel that scrolls.
  std::unique_ptr<Panel> ScrollBoxColor;
  HWND CBSchemes = nullptr;
  HWND BtnSchNew = nullptr;
  HWND BtnSchSave = nullptr;
  HWND BtnSchDel = nullptr;
  HWND EdSchName = nullptr;
  HWND TrBTrans = nullptr;
  ColorPicker CBTitleColor;
  ColorPicker CBTitleFontColor;
  HWND CBTitleGradType = nullptr;
  ColorPicker CBTitleGradColor;
  ColorPicker CBMemoColor;
  ColorPicker CBMemoFontColor;
  HWND CBMemoGradType = nullptr;
  ColorPicker CBMemoGradColor;
  int shownTransparency_ = 0;  // the bar's position as last set or moved
  std::uint8_t shownTitleGradType_ = 0;  // the types last shown, for values
  std::uint8_t shownMemoGradType_ = 0;   // the lists do not hold

  // The tray.
  HMENU trayMenu_ = nullptr;
  std::unique_ptr<TrayIcon> tray_;
};

}  // namespace wisplet
