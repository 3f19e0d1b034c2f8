// A note window's commands, its menu, its copy to the clipboard, and the
// mouse and keyboard that run them.
#include <algorithm>
#include <cstring>
#include <vector>

#include "base/menu_look.h"
#include "base/wide_text.h"
#include "base/win32_handles.h"
#include "model/errors.h"
#include "notes/sticker_parts.h"
#include "notes/sticker_window.h"

namespace wisplet {

using namespace note_parts;

namespace {

// Opens the clipboard for one scope.
class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner) : open_(OpenClipboard(owner) != 0) {}
  ~ClipboardScope() {
    if (open_) CloseClipboard();
  }
  bool Open() const { return open_; }

 private:
  bool open_;
};

// Hands a block of global memory to the clipboard; it stays ours if that fails.
void PutOnClipboard(UINT format, const void* data, std::size_t size) {
  GlobalMem block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
  if (!block) return;
  if (void* p = GlobalLock(block.get())) {
    std::memcpy(p, data, size);
    GlobalUnlock(block.get());
    if (SetClipboardData(format, block.get())) block.release();
  }
}

// A locale whose ANSI code page is the system's: the user's where it is,
// else the system's own, which sets that code page.
LCID AnsiCodePageLocale() {
  const LCID user = GetUserDefaultLCID();
  DWORD codePage = 0;
  if (GetLocaleInfoW(user, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&codePage),
                     sizeof codePage / sizeof(wchar_t)) &&
      codePage == GetACP())
    return user;
  return GetSystemDefaultLCID();
}

}  // namespace

// --- Commands ---------------------------------------------------------------

void TStickerWindow::ExecuteCommand(int command) {
  switch (command) {
    case CmdEdit: host_.ShowEditNote(*this); break;
    case CmdNew: host_.ShowNewNote(); break;
    case CmdCopy: CopyToClipboard(); break;
    case CmdOnTop: SetOnTop(!OnTop); break;
    case CmdHide: SetActive(false); break;
    case CmdClose: CloseNote(); break;
    default: break;
  }
}

void TStickerWindow::CloseNote() {
  std::string text = "Close and remove Note: \"" + Title + "\" ?";
  if (MessageBoxW(m_hwnd, Wide(text).c_str(), L"Close Note", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  removed_ = true;
  host_.RemoveSticker(*this);
  SetActive(false);
  HideNote();
}

void TStickerWindow::Discard() {
  removed_ = true;
  SetActive(false);
}

void TStickerWindow::CopyToClipboard() {
  // The note's own text as Unicode; for programs that read only 8-bit text,
  // the same in the ANSI code page with a locale of that code page.
  const std::wstring text = Wide(Title + ":\r\n" + Memo + "\r\n");
  const std::string ansi = ToCodePage(CP_ACP, text, /*lossy=*/true).value_or("");
  ClipboardScope clipboard(m_hwnd);
  if (!clipboard.Open()) throw Error("Cannot open clipboard");
  EmptyClipboard();
  LCID locale = AnsiCodePageLocale();
  PutOnClipboard(CF_LOCALE, &locale, sizeof locale);
  PutOnClipboard(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  PutOnClipboard(CF_TEXT, ansi.c_str(), ansi.size() + 1);
}

void TStickerWindow::OpenMenuAt(POINT screen) {
  SetForegroundWindow(m_hwnd);
  int command = static_cast<int>(
      TrackLookMenu(NoteMenu(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                    screen, m_hwnd, [this] { RebuildMenu(); }));
  PostMessageW(m_hwnd, WM_NULL, 0, 0);
  if (command) ExecuteCommand(command);
}

// --- Mouse and keyboard ----------------------------------------------------------

void TStickerWindow::MouseDown(int button, bool doubleClick, POINT client) {
  if (inSizeMove_ && GetCapture() == m_hwnd) return;  // the move or size loop owns the mouse
  inSizeMove_ = false;
  NotePart part = Layout().HitTest(client.x, client.y);
  if (IsButton(part)) {
    // The second press of a double click shows the pressed glyph but does
    // not click a second time.
    ButtonMouseDown(part, button == VK_LBUTTON && !doubleClick);
    return;
  }
  if (doubleClick && button == VK_LBUTTON && part == NotePart::TitleLabel) TitleDblClick();
  if (button != VK_LBUTTON) {
    // Held so that the release is seen wherever it happens.
    surfacePress_ = button;
    SetCapture(m_hwnd);
  }
  NoteMouseDown(button, part, client);
}

void TStickerWindow::MouseUp(int button, POINT client) {
  if (inSizeMove_ && GetCapture() == m_hwnd) return;
  if (pressedButton_ != NotePart::None) {
    ButtonMouseUp(button, client);
    return;
  }
  // A left press hands the mouse to the system's move or size loop, which
  // takes the release; other releases count only after a press on this note.
  if (button != surfacePress_) return;
  surfacePress_ = 0;
  if (GetCapture() == m_hwnd) ReleaseCapture();
  // Released over a button (whose release does nothing for this mouse
  // button) or off the note: no menu.
  RECT client_area{};
  GetClientRect(m_hwnd, &client_area);
  if (!PtInRect(&client_area, client)) return;
  NotePart part = Layout().HitTest(client.x, client.y);
  if (part == NotePart::None || IsButton(part)) return;
  NoteMouseUp(button, part, client);
}

void TStickerWindow::CancelPress() {
  surfacePress_ = 0;
  buttonClickArmed_ = false;
  if (pressedButton_ != NotePart::None) {
    InvalidatePart(pressedButton_);
    pressedButton_ = NotePart::None;
  }
}

void TStickerWindow::NoteMouseDown(int button, NotePart part, POINT client) {
  SetTransparency(0);
  if (button != VK_LBUTTON) return;
  ReleaseCapture();
  POINT screen = client;
  ClientToScreen(m_hwnd, &screen);
  WPARAM hit = Layout().InResizeZone(part, client.x, client.y) ? HTBOTTOMRIGHT : HTCAPTION;
  SendMessageW(m_hwnd, WM_NCLBUTTONDOWN, hit, MAKELPARAM(screen.x, screen.y));
}

void TStickerWindow::NoteMouseMove(NotePart part, POINT client) {
  bool zone = Layout().InResizeZone(part, client.x, client.y);
  SetCursor(LoadCursor(nullptr, zone ? IDC_SIZENWSE : IDC_ARROW));
}

void TStickerWindow::NoteMouseUp(int button, NotePart, POINT client) {
  if (button != VK_RBUTTON) return;
  POINT screen = client;
  ClientToScreen(m_hwnd, &screen);
  OpenMenuAt(screen);
}

void TStickerWindow::TitleDblClick() { SetMinState(!MinState); }

void TStickerWindow::ButtonMouseDown(NotePart button, bool clicks) {
  pressedButton_ = button;
  buttonClickArmed_ = clicks;
  SetCapture(m_hwnd);
  // Only the button changes; repainting a note with a long text is not cheap.
  InvalidatePart(button);
}

void TStickerWindow::ButtonMouseUp(int mouseButton, POINT client) {
  NotePart button = pressedButton_;
  bool clicks = buttonClickArmed_ && mouseButton == VK_LBUTTON;
  pressedButton_ = NotePart::None;
  buttonClickArmed_ = false;
  if (GetCapture() == m_hwnd) ReleaseCapture();
  InvalidatePart(button);
  // A click is a left press and release on the same button.
  Rect r = Layout().PartRect(button);
  if (!clicks || client.x < r.left || client.x >= r.right || client.y < r.top || client.y >= r.bottom) return;
  ClickButton(button);
}

void TStickerWindow::ClickButton(NotePart button) {
  switch (button) {
    case NotePart::MenuButton: {
      RECT bounds = Bounds();
      Rect r = Layout().PartRect(button);
      OpenMenuAt({bounds.left + r.right, bounds.top + r.bottom});
      break;
    }
    case NotePart::CloseButton: ExecuteCommand(CmdClose); break;
    case NotePart::OnTopButton: ExecuteCommand(CmdOnTop); break;
    case NotePart::HideButton: ExecuteCommand(CmdHide); break;
    default: break;
  }
}

void TStickerWindow::NoteKeyUp(WPARAM key) {
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  bool shift = GetKeyState(VK_SHIFT) < 0;
  bool alt = GetKeyState(VK_MENU) < 0;
  for (const MenuItem& item : kMenuItems) {
    if (!item.caption || item.key != key || item.ctrl != ctrl || shift || alt) continue;
    // While the system moves or sizes the note it holds the mouse; a message
    // box or menu opened inside that loop could not be clicked. The command
    // waits for the loop to end.
    if (inSizeMove_)
      deferredCommands_.push_back(item.command);
    else
      ExecuteCommand(item.command);
  }
}

void TStickerWindow::RunDeferredCommands() {
  std::vector<int> commands;
  commands.swap(deferredCommands_);
  for (int command : commands) ExecuteCommand(command);
}

}  // namespace wisplet
