// The options window's system-wide keys: their section on the system page,
// and their registration with Windows, which the window receives.
#include <algorithm>

#include "base/dialog_kit.h"
#include "base/wide_text.h"
#include "dialogs/dialog_host.h"
#include "dialogs/form_options.h"
#include "dialogs/options_ids.h"
#include "model/anchors.h"
#include "notes/sticker_window.h"

namespace wisplet {

using namespace options;

namespace {

// Registered under its action's position in kHotkeyActions plus one.
int HotkeyId(std::size_t action) { return static_cast<int>(action) + 1; }

// "write a new note" as a label: "Write a new note:".
std::string HotkeyLabel(HotkeyAction action) {
  std::string text(HotkeyActionText(action));
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text + ":";
}

}  // namespace

void TFormOptions::CreateHotkeysSection() {
  HWND page = TbShSystem->Handle();
  HFONT font = fonts_.Get(DialogFonts::Normal);
  constexpr unsigned across = AnchorLeft | AnchorTop | AnchorRight;
  CreateLabel(page, systemLayout_, " System-wide keys", LabelKind::Section, {4, 186, 447, 203}, across);
  for (std::size_t i = 0; i < hotkeyBoxes_.size(); ++i) {
    const int top = 211 + 26 * static_cast<int>(i);
    // Each label right before its box, so that a screen reader names the box by it.
    CreateLabel(page, systemLayout_, HotkeyLabel(kHotkeyActions[i]).c_str(), LabelKind::Plain,
                {16, top + 3, 170, top + 20}, AnchorLeft | AnchorTop);
    hotkeyBoxes_[i].Create(
        page, IdHotkeyNewNote + static_cast<int>(i), font, [this] { SomeComponentChange(); },
        [this](bool focused) { HotkeyBoxFocus(focused); });
    systemLayout_.push_back({hotkeyBoxes_[i].Handle(), {174, top, 440, top + kControlHeight}, across});
  }
  CreateLabel(page, systemLayout_, "Click a box and press the keys; Backspace switches a key off.", LabelKind::Plain,
              {16, 265, 440, 282}, across);
}

void TFormOptions::LoadHotkeyControls() {
  const ProgramState& state = host_.SharedState();
  for (std::size_t i = 0; i < hotkeyBoxes_.size(); ++i)
    hotkeyBoxes_[i].SetValue(state.*HotkeyField(kHotkeyActions[i]));
}

void TFormOptions::ApplyHotkeys() {
  ProgramState& state = host_.SharedState();
  std::vector<HotkeyAction> changed;
  for (std::size_t i = 0; i < hotkeyBoxes_.size(); ++i) {
    Hotkey& key = state.*HotkeyField(kHotkeyActions[i]);
    if (key == hotkeyBoxes_[i].Value()) continue;
    key = hotkeyBoxes_[i].Value();
    changed.push_back(kHotkeyActions[i]);
  }
  if (!changed.empty()) RegisterHotkeys(changed);
}

void TFormOptions::RegisterHotkeys(const std::vector<HotkeyAction>& report) {
  UnregisterHotkeys();
  // While a key box has the keyboard, the keys pressed in it are for the box.
  if (hotkeysSuspended_) return;
  const ProgramState& state = host_.SharedState();
  std::vector<HotkeyBinding> taken;
  for (std::size_t i = 0; i < hotkeyBoxes_.size(); ++i) {
    const HotkeyAction action = kHotkeyActions[i];
    const Hotkey key = state.*HotkeyField(action);
    hotkeyWanted_[i] = key;
    if (key.IsNone() || !IsUsableHotkey(key)) continue;
    // MOD_NOREPEAT: a key held down acts once.
    hotkeyRegistered_[i] = RegisterHotKey(m_hwnd, HotkeyId(i), static_cast<UINT>(key.modifiers) | MOD_NOREPEAT,
                                          static_cast<UINT>(key.key)) != 0;
    if (!hotkeyRegistered_[i] && std::find(report.begin(), report.end(), action) != report.end())
      taken.push_back({action, key});
  }
  if (taken.empty()) return;
  // Told once, and Wisplet goes on without them; at start-up once it runs.
  takenHotkeys_ = HotkeysTakenMessage(taken);
  if (!startingUp_) PostMessageW(m_hwnd, kShowTakenHotkeys, 0, 0);
}

void TFormOptions::StartUpDone() {
  startingUp_ = false;
  if (!takenHotkeys_.empty()) PostMessageW(m_hwnd, kShowTakenHotkeys, 0, 0);
}

std::vector<HotkeyAction> TFormOptions::ChangedHotkeys() const {
  const ProgramState& state = host_.SharedState();
  std::vector<HotkeyAction> changed;
  for (std::size_t i = 0; i < hotkeyWanted_.size(); ++i)
    if (!(state.*HotkeyField(kHotkeyActions[i]) == hotkeyWanted_[i])) changed.push_back(kHotkeyActions[i]);
  return changed;
}

void TFormOptions::UnregisterHotkeys() {
  for (std::size_t i = 0; i < hotkeyRegistered_.size(); ++i)
    if (std::exchange(hotkeyRegistered_[i], false)) UnregisterHotKey(m_hwnd, HotkeyId(i));
}

void TFormOptions::HotkeyBoxFocus(bool focused) {
  hotkeysSuspended_ = focused;
  if (focused)
    UnregisterHotkeys();
  else
    RegisterHotkeys({});  // as they were; a refusal now was told before
}

void TFormOptions::ShowTakenHotkeys() {
  if (takenHotkeys_.empty()) return;
  const std::string text = std::exchange(takenHotkeys_, std::string());
  HWND owner = IsWindowVisible(m_hwnd) ? m_hwnd : host_.ApplicationWindow();
  MessageBoxW(owner, Wide(text).c_str(), Wide(WindowText(host_.ApplicationWindow())).c_str(),
              MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

void TFormOptions::HotkeyPressed(int id) {
  if (id < HotkeyId(0) || id > HotkeyId(std::size(kHotkeyActions) - 1)) return;
  switch (kHotkeyActions[static_cast<std::size_t>(id - HotkeyId(0))]) {
    case HotkeyAction::NewNote:  // as a double click on the tray icon
      TBXItemMainNewClick();
      break;
    case HotkeyAction::ShowHideNotes: {
      const TListSticker& notes = host_.SharedState().Stickers;
      const auto shown = std::count_if(notes.begin(), notes.end(), [](TStickerWindow* n) { return n->Visible(); });
      if (ChooseShowOrHide(static_cast<int>(shown)) == ShowHideChoice::HideAll)
        TBXItemMainHideAllClick();
      else
        TBXItemMainShowAllClick();
      break;
    }
  }
}

}  // namespace wisplet
