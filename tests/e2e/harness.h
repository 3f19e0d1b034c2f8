#pragma once
// What the end-to-end tests need to run the real Wisplet.exe under Wine and
// look at it from outside: a test folder with a copy of the program and its
// settings file, the running process and its windows, real input, message
// boxes, the registry and screenshots.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace e2e {

// Folder of the test programs (build\bin), where Wisplet.exe lies.
std::string BinFolder();
// Where screenshots and other test output go (build\test-output).
std::string OutputFolder();

std::optional<std::string> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// Polls until done() holds or the time is up.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000, DWORD stepMs = 20);

// A fresh folder holding a copy of Wisplet.exe under the given name; removed
// again (read-only flags included) when the object goes.
class TestFolder {
 public:
  explicit TestFolder(const std::string& exeName = "Wisplet.exe");
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string Exe() const { return path_ + "\\" + exeName_; }
  std::string Ini() const;  // the settings file beside the exe
  void WriteIni(const std::string& text) const { WriteFileBytes(Ini(), text); }
  std::optional<std::string> ReadIni() const { return ReadFileBytes(Ini()); }

 private:
  std::string path_;
  std::string exeName_;
};

struct TopWindow {
  HWND hwnd;
  std::string className;
  std::string text;
};

// A running Wisplet.exe.
class AppProcess {
 public:
  // `arguments` follow the quoted program path on the command line.
  explicit AppProcess(const std::string& exePath, const std::string& arguments = "");
  explicit AppProcess(const std::wstring& exePath, const std::wstring& arguments = L"");
  ~AppProcess();  // kills the process if it still runs
  AppProcess(const AppProcess&) = delete;
  AppProcess& operator=(const AppProcess&) = delete;

  DWORD Pid() const { return pi_.dwProcessId; }
  bool Running() const;
  // Waits for the process to end; nullopt on time-out.
  std::optional<DWORD> WaitExit(DWORD timeoutMs = 10000) const;
  // Waits until start-up is complete and the message loop waits for input.
  bool WaitUp(DWORD timeoutMs = 15000) const;
  HWND MainWindow() const;
  // Top-level windows of the process, hidden ones included.
  std::vector<TopWindow> Windows() const;
  HWND FindWindowOfClass(const std::string& className) const;
  // Asks the program to exit the way the tray's "Exit" does.
  void RequestExit() const;
  // Exit and wait; true when the process ended.
  bool Exit(DWORD timeoutMs = 10000) const;
  void Kill();

 private:
  PROCESS_INFORMATION pi_{};
};

// A message box of the process: its caption and text.
struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::string caption;
  std::string text;
};
std::optional<MessageBoxInfo> WaitForMessageBox(const AppProcess& app, DWORD timeoutMs = 10000);
// Presses a button of a message box by its command id (IDOK, IDYES, ...).
void PressMessageBoxButton(const MessageBoxInfo& box, int id);

// Registry value "Sticker" of the machine's Run key (or the user's).
std::optional<std::string> ReadAutorunValue(HKEY root = HKEY_LOCAL_MACHINE);
void WriteAutorunValue(const std::string& value, HKEY root = HKEY_LOCAL_MACHINE);
void WriteAutorunDword(DWORD value);
void DeleteAutorunValue(HKEY root = HKEY_LOCAL_MACHINE);

// A folder of the shell (CSIDL_APPDATA, CSIDL_PROGRAMS, ...).
std::string KnownFolder(int csidl);
// Runs a command line and waits for its end; its exit code, nullopt on time-out.
std::optional<DWORD> RunAndWait(const std::string& commandLine, DWORD timeoutMs = 60000);
// Deletes a folder with everything in it, read-only files included.
void RemoveTree(const std::string& folder);
// Runs a command line (for example "reg query ...") and returns its output.
std::string RunAndCapture(const std::string& commandLine, DWORD timeoutMs = 30000);

// Starts the hidden window that keeps the virtual desktop alive between programs.
void RestartDesktopKeeper();

// --- Real input. The keyboard goes through SendInput. The mouse is moved on
// the X display with xdotool: Wine grabs the X pointer while a program runs a
// menu or a move or size loop, and then refuses the pointer warps that
// SendInput's moves need, so the pointer would stay behind. Coordinates are
// screen pixels; the helpers throw when the input does not arrive.
enum class MouseButton { Left, Right };
// Moves the pointer; fails when it did not get there.
void MouseMove(int x, int y);
void MousePress(MouseButton button = MouseButton::Left);
void MouseRelease(MouseButton button = MouseButton::Left);
void Click(int x, int y, MouseButton button = MouseButton::Left);
// Two clicks well within the double-click time and distance.
void DoubleClick(int x, int y);
// The same, but the button stays down after the second press until
// MouseRelease. A program that moves the window on that press (rolling a
// docked note up) gets the release where the window now is: a release that
// comes before the move reaches the X server is placed by Wine relative to
// the window's new position, which a move loop takes for a drag.
void DoubleClickAndHold(int x, int y);
// Press at `from`, move in small steps (each once the window under the
// pointer has followed the last), release at `to`.
void Drag(POINT from, POINT to, int steps = 8);
// Presses the keys in order and releases them in reverse order (Ctrl+C is
// {VK_CONTROL, 'C'}).
void PressChord(std::initializer_list<WORD> keys);
void KeyDown(WORD key);
void KeyUp(WORD key);

// --- What a program shows, read from outside.
COLORREF ScreenPixel(int x, int y);
// A copy of a part of the screen, taken at once, read pixel by pixel.
class ScreenImage {
 public:
  explicit ScreenImage(const RECT& area);
  // Screen coordinates inside the area.
  COLORREF Pixel(int x, int y) const;

 private:
  RECT area_;
  std::vector<DWORD> pixels_;  // 0x00RRGGBB, top row first
};
// Visible top-level windows of the process with this class.
std::vector<HWND> VisibleWindowsOfClass(const AppProcess& app, const std::string& className);
// The clipboard, open for one scope; waits a little while another program has it.
class ClipboardOpen {
 public:
  ClipboardOpen() {
    WaitUntil([&] { return (open_ = OpenClipboard(nullptr) != 0); }, 3000, 20);
    if (!open_) throw std::runtime_error("cannot open the clipboard");
  }
  ~ClipboardOpen() { CloseClipboard(); }
  ClipboardOpen(const ClipboardOpen&) = delete;
  ClipboardOpen& operator=(const ClipboardOpen&) = delete;

 private:
  bool open_ = false;
};
// CF_TEXT and CF_LOCALE of the clipboard; nullopt when the format is absent.
std::optional<std::string> ClipboardText();
std::optional<LCID> ClipboardLocale();
// CF_UNICODETEXT of the clipboard, as a program that asks for Unicode text gets it.
std::optional<std::wstring> ClipboardUnicodeText();
// Puts a text of our own on the clipboard, so that a copy is seen to replace it.
void SetClipboardText(const std::string& text);
// Alpha of a layered window; nullopt when it is not layered with LWA_ALPHA.
std::optional<BYTE> LayeredAlpha(HWND hwnd);
// The text of the process's tooltip window while one is shown (read with
// WM_GETTEXT, which crosses the process boundary, unlike GetWindowText).
std::optional<std::string> ShownTooltipText(const AppProcess& app);
// The popup menu window (class "#32768") of the process while one is open.
HWND ShownMenu(const AppProcess& app);

// --- Notes seen from outside.
// A settings file holding notes, one string of "Key=Value\r\n" lines each,
// stored as [Sticker0], [Sticker1], ...
std::string NotesIni(const std::vector<std::string>& notes);
std::vector<HWND> NoteWindows(const AppProcess& app);
// The note whose outer top-left corner lies at (left, top); null if none.
HWND NoteWindowAt(const AppProcess& app, int left, int top);
RECT WindowBounds(HWND hwnd);
// Extent of text in the notes' font ("MS Sans Serif" 8 pt), measured here the
// way a label sizes itself: DrawText with DT_CALCRECT, wrapped at wrapWidth
// (0: one line), an empty text measured as one blank.
SIZE NoteTextExtent(const std::string& text, bool bold, int wrapWidth = 0);
// Height of one line of that font (12 pixels in the test prefix).
int NoteLineHeight();
// The pixels of a 16 x 16 bitmap resource of a program file (the title-bar
// glyphs), 0x00BBGGRR, top row first; empty when it cannot be read.
std::vector<COLORREF> GlyphPixels(const std::string& exe, int id);

// Saves the whole screen, or a part of it, as a 24-bit BMP file in the
// output folder.
std::string SaveScreenshot(const std::string& name, const RECT* area = nullptr);

// --- The tray icon and its menu.
// The program's icon: the only one in the notification area, at its right end.
POINT TrayIconPoint();
// Right-clicks the icon until the menu shows; null when it never did.
HWND OpenTrayMenu(const AppProcess& app);
// Double-clicks the icon until the note editor shows; null when it never did.
HWND OpenEditorFromTray(const AppProcess& app);
// Chooses the item `downs` places below the top of the open tray menu (the
// keyboard skips separators).
void ChooseTrayMenuItem(int downs);
// Closes whatever menus of the process are open.
void CloseMenus(const AppProcess& app);

// --- Other processes.
// Ids of the running processes whose executable has this file name.
std::vector<DWORD> ProcessesNamed(const std::string& exeName);
// The command line a process was started with, read from its memory.
std::optional<std::string> ProcessCommandLine(DWORD pid);
void TerminateProcessById(DWORD pid);
// Presses a key `times` times.
void Key(WORD key, int times = 1);

// --- Controls of another process's window.
// The child control (at any depth, in creation order) whose text is `text`,
// passing over the first `skip` of them; null if none.
HWND ChildWithText(HWND parent, const std::string& text, int skip = 0);
// Clicks the middle of a control.
void ClickControl(HWND control);

// --- Keys whose effect must come before the modifier goes up, and the text
// fields of another process.
// Like PressChord, but the first key (Ctrl, Shift) goes up only once done()
// holds, so a program that reads the modifier when it gets round to the key
// still finds it down. False when done() did not come about in time.
bool PressChordUntil(std::initializer_list<WORD> keys, const std::function<bool()>& done,
                     DWORD timeoutMs = 5000);
// The text of a window or control of another process (WM_GETTEXT).
std::string WindowTextOf(HWND hwnd);
// The window with the keyboard focus in the thread that owns `window`.
HWND FocusedWindowOf(HWND window);
// Types ANSI text key by key into the field with the focus, with Shift where
// the keyboard layout needs it ("\n" is Enter), and waits after each key until
// the text of `field` has changed. False when a key changed nothing.
bool TypeInto(HWND field, const std::string& text, DWORD timeoutMs = 3000);

// --- Unicode: text the ANSI code page cannot hold, seen and typed through the
// wide functions (unicode_harness.cpp).
std::wstring WindowTextOfW(HWND hwnd);
// Types the text into the field with the focus as Unicode key input
// (SendInput with KEYEVENTF_UNICODE; a surrogate pair as two inputs), waiting
// after each character until the text of `field` has changed.
bool TypeUnicode(HWND field, const std::wstring& text, DWORD timeoutMs = 3000);
// The ANSI code page of a locale.
UINT AnsiCodePageOf(LCID locale);
void SetClipboardUnicodeText(const std::wstring& text);
std::optional<std::string> ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
// The text of a UTF-16LE file after its byte order mark; nullopt without one.
std::optional<std::wstring> Utf16LEText(const std::string& bytes);
// Value "Sticker" of a Run key and its type.
std::optional<std::wstring> ReadAutorunValueW(HKEY root = HKEY_LOCAL_MACHINE, DWORD* type = nullptr);
void WriteAutorunValueW(const std::wstring& value, DWORD type = REG_SZ, HKEY root = HKEY_LOCAL_MACHINE);
void RemoveTree(const std::wstring& folder);
// Text in the ANSI code page and back.
std::wstring WideOfAnsi(const std::string& text);
std::string AnsiOfWide(const std::wstring& text);

// A test folder whose name is wide text, holding a copy of Wisplet.exe.
class WideTestFolder {
 public:
  explicit WideTestFolder(const std::wstring& name);
  ~WideTestFolder();
  WideTestFolder(const WideTestFolder&) = delete;
  WideTestFolder& operator=(const WideTestFolder&) = delete;
  std::wstring Exe() const { return path_ + L"\\Wisplet.exe"; }
  std::wstring Ini() const { return path_ + L"\\Wisplet.ini"; }

 private:
  std::wstring path_;
};

}  // namespace e2e
