#include "harness.h"

#include <shlobj.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <fstream>
#include <stdexcept>

namespace e2e {
namespace {

const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string ModuleFolder() {
  char path[MAX_PATH * 4] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string s = path;
  return s.substr(0, s.find_last_of('\\'));
}

std::string WindowText(HWND hwnd) {
  char text[4096] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::string ClassOf(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

HKEY OpenRunKey(HKEY root = HKEY_LOCAL_MACHINE) {
  HKEY key = nullptr;
  RegCreateKeyExA(root, kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  return key;
}

}  // namespace

void RemoveTree(const std::string& folder) { RemoveTree(WideOfAnsi(folder)); }

std::string BinFolder() { return ModuleFolder(); }

std::string OutputFolder() {
  std::string out = ModuleFolder() + "\\..\\test-output";
  CreateDirectoryA(out.c_str(), nullptr);
  return out;
}

std::optional<std::string> ReadFileBytes(const std::string& path) { return ReadFileBytes(WideOfAnsi(path)); }

void WriteFileBytes(const std::string& path, const std::string& bytes) { WriteFileBytes(WideOfAnsi(path), bytes); }

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD stepMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(stepMs);
  }
}

TestFolder::TestFolder(const std::string& exeName) : exeName_(exeName) {
  static int counter = 0;
  CreateDirectoryA("C:\\wisplet-e2e", nullptr);
  path_ = "C:\\wisplet-e2e\\t" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++counter);
  RemoveTree(path_);
  if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("cannot create " + path_);
  if (!CopyFileA((BinFolder() + "\\Wisplet.exe").c_str(), Exe().c_str(), FALSE))
    throw std::runtime_error("cannot copy Wisplet.exe");
}

TestFolder::~TestFolder() { RemoveTree(path_); }

std::string TestFolder::Ini() const {
  std::string exe = Exe();
  return exe.substr(0, exe.rfind('.')) + ".ini";
}

AppProcess::AppProcess(const std::string& exePath, const std::string& arguments)
    : AppProcess(WideOfAnsi(exePath), WideOfAnsi(arguments)) {}

AppProcess::~AppProcess() {
  Kill();
  if (pi_.hProcess) CloseHandle(pi_.hProcess);
  if (pi_.hThread) CloseHandle(pi_.hThread);
}

bool AppProcess::Running() const { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> AppProcess::WaitExit(DWORD timeoutMs) const {
  if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(pi_.hProcess, &code);
  return code;
}

std::vector<TopWindow> AppProcess::Windows() const {
  struct Ctx {
    DWORD pid;
    std::vector<TopWindow> found;
  } ctx{pi_.dwProcessId, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* c = reinterpret_cast<Ctx*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid == c->pid) c->found.push_back({hwnd, ClassOf(hwnd), WindowText(hwnd)});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&ctx));
  return ctx.found;
}

HWND AppProcess::FindWindowOfClass(const std::string& className) const {
  for (const auto& w : Windows())
    if (w.className == className) return w.hwnd;
  return nullptr;
}

HWND AppProcess::MainWindow() const { return FindWindowOfClass("TFormMain"); }

bool AppProcess::WaitUp(DWORD timeoutMs) const {
  // The About window is the last one created before the notes are loaded; the
  // program is up once its message loop waits for input.
  bool created = WaitUntil([&] { return FindWindowOfClass("TFormAbout") != nullptr || !Running(); },
                           timeoutMs);
  if (!created || !Running()) return false;
  WaitForInputIdle(pi_.hProcess, timeoutMs);
  return Running() && MainWindow() != nullptr;
}

void AppProcess::RequestExit() const {
  if (HWND main = MainWindow()) PostMessageA(main, WM_CLOSE, 0, 0);
}

bool AppProcess::Exit(DWORD timeoutMs) const {
  RequestExit();
  return WaitExit(timeoutMs).has_value();
}

void AppProcess::Kill() {
  if (pi_.hProcess && Running()) {
    TerminateProcess(pi_.hProcess, 99);
    WaitForSingleObject(pi_.hProcess, 5000);
  }
}

std::optional<MessageBoxInfo> WaitForMessageBox(const AppProcess& app, DWORD timeoutMs) {
  MessageBoxInfo info;
  bool found = WaitUntil(
      [&] {
        for (const auto& w : app.Windows()) {
          if (w.className != "#32770" || !IsWindowVisible(w.hwnd)) continue;
          info.hwnd = w.hwnd;
          info.caption = w.text;
          info.text.clear();
          // The message is the longest static text (the icon's static has none).
          for (HWND child = GetWindow(w.hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            std::string t = WindowText(child);
            if (_stricmp(ClassOf(child).c_str(), "Static") == 0 && t.size() > info.text.size())
              info.text = t;
          }
          return true;
        }
        return false;
      },
      timeoutMs);
  if (!found) return std::nullopt;
  return info;
}

void PressMessageBoxButton(const MessageBoxInfo& box, int id) {
  HWND button = GetDlgItem(box.hwnd, id);
  if (!button) throw std::runtime_error("message box has no such button");
  PostMessageA(box.hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

std::optional<std::string> ReadAutorunValue(HKEY root) {
  std::optional<std::wstring> value = ReadAutorunValueW(root);
  if (!value) return std::nullopt;
  return AnsiOfWide(*value);
}

void WriteAutorunValue(const std::string& value, HKEY root) { WriteAutorunValueW(WideOfAnsi(value), REG_SZ, root); }

void WriteAutorunDword(DWORD value) {
  HKEY key = OpenRunKey();
  RegSetValueExA(key, "Sticker", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

void DeleteAutorunValue(HKEY root) {
  HKEY key = OpenRunKey(root);
  RegDeleteValueA(key, "Sticker");
  RegCloseKey(key);
}

std::optional<DWORD> RunAndWait(const std::string& commandLine, DWORD timeoutMs) {
  STARTUPINFOA si{sizeof si};
  PROCESS_INFORMATION pi{};
  std::string cmd = commandLine;
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return std::nullopt;
  std::optional<DWORD> code;
  if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0) {
    DWORD exit = 0;
    GetExitCodeProcess(pi.hProcess, &exit);
    code = exit;
  }
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return code;
}

std::string RunAndCapture(const std::string& commandLine, DWORD timeoutMs) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE readPipe = nullptr, writePipe = nullptr;
  CreatePipe(&readPipe, &writePipe, &sa, 0);
  SetHandleInformation(readPipe, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si{sizeof si};
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = writePipe;
  si.hStdError = writePipe;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi{};
  std::string cmd = commandLine;
  std::string out;
  if (CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                     nullptr, &si, &pi)) {
    CloseHandle(writePipe);
    writePipe = nullptr;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readPipe, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
    WaitForSingleObject(pi.hProcess, timeoutMs);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  if (writePipe) CloseHandle(writePipe);
  CloseHandle(readPipe);
  return out;
}

void RestartDesktopKeeper() {
  STARTUPINFOA si{sizeof si};
  PROCESS_INFORMATION pi{};
  std::string cmd = "\"" + BinFolder() + "\\WispletDriver.exe\" keep";
  if (CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr,
                     &si, &pi)) {
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  WaitUntil([] { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }, 15000, 100);
}

// --- Real input -------------------------------------------------------------

namespace {

void Send(INPUT input) {
  if (SendInput(1, &input, sizeof input) != 1) throw std::runtime_error("SendInput refused the input");
  // A short pause lets the receiving program see each event on its own, as
  // it would from a person's hand.
  Sleep(15);
}

// Runs xdotool on the X display of the desktop and waits until it is done.
// Wine starts Unix programs detached, without a handle to wait on, so the
// command leaves a marker file behind when it has finished.
void Xdotool(const std::string& args) {
  static int counter = 0;
  std::string marker = "/tmp/wisplet-e2e-xdo-" + std::to_string(GetCurrentProcessId()) + "-" +
                       std::to_string(++counter);
  std::string markerPath = "Z:" + marker;
  for (char& c : markerPath)
    if (c == '/') c = '\\';
  std::string cmd = "/bin/sh -c \"/usr/bin/xdotool " + args + "; : > " + marker + "\"";
  STARTUPINFOA si{sizeof si};
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
    throw std::runtime_error("cannot run xdotool");
  // No handles to close: Wine leaves stale values in `pi` for a Unix program,
  // and closing them closed handles of ours (a running Wisplet's, whose end a
  // test then waited for on whatever took that handle's place).
  if (!WaitUntil([&] { return FileExists(markerPath); }, 10000, 5))
    throw std::runtime_error("xdotool did not finish: " + args);
  DeleteFileA(markerPath.c_str());
}

const char* XButton(MouseButton button) { return button == MouseButton::Left ? "1" : "3"; }

bool IsExtendedKey(WORD key) {
  switch (key) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE:
      return true;
    default:
      return false;
  }
}

void SendKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
  Send(input);
}

POINT CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

}  // namespace

void MouseMove(int x, int y) {
  Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
  POINT p{};
  if (!WaitUntil([&] { return (p = CursorPos()).x == x && p.y == y; }, 3000, 5))
    throw std::runtime_error("pointer at " + std::to_string(p.x) + "," + std::to_string(p.y) + ", not at " +
                             std::to_string(x) + "," + std::to_string(y));
}

void MousePress(MouseButton button) { Xdotool(std::string("mousedown ") + XButton(button)); }

void MouseRelease(MouseButton button) { Xdotool(std::string("mouseup ") + XButton(button)); }

void Click(int x, int y, MouseButton button) {
  MouseMove(x, y);
  Xdotool(std::string("click ") + XButton(button));
}

void DoubleClick(int x, int y) {
  MouseMove(x, y);
  Xdotool("click --repeat 2 --delay 60 1");
}

void DoubleClickAndHold(int x, int y) {
  MouseMove(x, y);
  Xdotool("click 1 sleep 0.06 mousedown 1");
}

void Drag(POINT from, POINT to, int steps) {
  // While a window follows the pointer in the system's move loop, Wine maps
  // a pointer event through the window's position at the time it handles the
  // event, not where the window was when the event happened; a program that
  // lags behind the pointer would so leave the window a few pixels off. The
  // pointer therefore moves on only once the window under it has followed
  // the last step (moved or grown by as much as the pointer moved), or has
  // stopped changing (it cannot follow, as at its minimum size).
  HWND window = GetAncestor(WindowFromPoint(from), GA_ROOT);
  RECT start = window ? WindowBounds(window) : RECT{};
  auto followed = [&](POINT p) {
    RECT now = WindowBounds(window);
    LONG dx = p.x - from.x, dy = p.y - from.y;
    bool moved = now.left - start.left == dx && now.top - start.top == dy &&
                 now.right - now.left == start.right - start.left && now.bottom - now.top == start.bottom - start.top;
    bool resized = now.left == start.left && now.top == start.top && now.right - start.right == dx &&
                   now.bottom - start.bottom == dy;
    return moved || resized;
  };
  auto waitForWindow = [&](POINT p) {
    if (!window) return;
    RECT last = WindowBounds(window);
    DWORD since = GetTickCount();
    WaitUntil(
        [&] {
          if (followed(p)) return true;
          RECT now = WindowBounds(window);
          if (!EqualRect(&now, &last)) {
            last = now;
            since = GetTickCount();
          }
          return GetTickCount() - since >= 400;
        },
        5000, 10);
  };
  MouseMove(from.x, from.y);
  MousePress(MouseButton::Left);
  for (int i = 1; i <= steps; ++i) {
    POINT p{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
    MouseMove(p.x, p.y);
    waitForWindow(p);
  }
  // The X server places the release relative to the window as it knows it;
  // give it time to learn the window's last move, or Wine maps the release
  // one step too far and moves the window once more.
  Sleep(200);
  MouseRelease(MouseButton::Left);
}

void KeyDown(WORD key) { SendKey(key, false); }
void KeyUp(WORD key) { SendKey(key, true); }


void PressChord(std::initializer_list<WORD> keys) {
  for (WORD key : keys) KeyDown(key);
  for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) KeyUp(*it);
}

// --- What a program shows -----------------------------------------------------

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return c;
}

ScreenImage::ScreenImage(const RECT& area) : area_(area) {
  int w = area.right - area.left, h = area.bottom - area.top;
  if (w <= 0 || h <= 0) throw std::runtime_error("empty screen area");
  pixels_.resize(static_cast<size_t>(w) * h);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  if (bits) std::memcpy(pixels_.data(), bits, pixels_.size() * sizeof(DWORD));
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  if (!bits) throw std::runtime_error("cannot copy the screen");
}

COLORREF ScreenImage::Pixel(int x, int y) const {
  int w = area_.right - area_.left;
  DWORD p = pixels_[static_cast<size_t>(y - area_.top) * w + (x - area_.left)];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::vector<HWND> VisibleWindowsOfClass(const AppProcess& app, const std::string& className) {
  std::vector<HWND> found;
  for (const auto& w : app.Windows())
    if (w.className == className && IsWindowVisible(w.hwnd)) found.push_back(w.hwnd);
  return found;
}

namespace {

// Opens the clipboard for one scope; another program may hold it for a moment.

std::optional<std::string> ClipboardBytes(UINT format) {
  ClipboardOpen open;
  HANDLE data = GetClipboardData(format);
  if (!data) return std::nullopt;
  const char* p = static_cast<const char*>(GlobalLock(data));
  if (!p) return std::nullopt;
  std::string bytes(p, GlobalSize(data));
  GlobalUnlock(data);
  return bytes;
}

}  // namespace

std::optional<std::string> ClipboardText() {
  auto bytes = ClipboardBytes(CF_TEXT);
  if (!bytes) return std::nullopt;
  return bytes->substr(0, bytes->find('\0'));
}

std::optional<LCID> ClipboardLocale() {
  auto bytes = ClipboardBytes(CF_LOCALE);
  if (!bytes || bytes->size() < sizeof(LCID)) return std::nullopt;
  LCID locale = 0;
  std::memcpy(&locale, bytes->data(), sizeof locale);
  return locale;
}

std::optional<std::wstring> ClipboardUnicodeText() {
  auto bytes = ClipboardBytes(CF_UNICODETEXT);
  if (!bytes) return std::nullopt;
  std::wstring text(bytes->size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), bytes->data(), text.size() * sizeof(wchar_t));
  return text.substr(0, text.find(L'\0'));
}

std::string KnownFolder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

void SetClipboardText(const std::string& text) {
  ClipboardOpen open;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) throw std::runtime_error("out of memory");
  std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  if (!SetClipboardData(CF_TEXT, block)) {
    GlobalFree(block);
    throw std::runtime_error("cannot set the clipboard");
  }
}

std::optional<BYTE> LayeredAlpha(HWND hwnd) {
  if (!(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED)) return std::nullopt;
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags) || !(flags & LWA_ALPHA)) return std::nullopt;
  return alpha;
}

std::optional<std::string> ShownTooltipText(const AppProcess& app) {
  for (HWND tip : VisibleWindowsOfClass(app, "tooltips_class32")) {
    char text[1024] = {};
    DWORD_PTR got = 0;
    if (SendMessageTimeoutA(tip, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                            2000, &got))
      return std::string(text);
  }
  return std::nullopt;
}

HWND ShownMenu(const AppProcess& app) {
  auto menus = VisibleWindowsOfClass(app, "#32768");
  return menus.empty() ? nullptr : menus.front();
}

// --- Notes seen from outside ------------------------------------------------------

std::string NotesIni(const std::vector<std::string>& notes) {
  std::string ini = "[Main]\r\nStickerCount=" + std::to_string(notes.size()) + "\r\n";
  for (size_t i = 0; i < notes.size(); ++i) ini += "[Sticker" + std::to_string(i) + "]\r\n" + notes[i];
  return ini;
}

std::vector<HWND> NoteWindows(const AppProcess& app) {
  std::vector<HWND> notes;
  for (const auto& w : app.Windows())
    if (w.className == "TStickerWindow") notes.push_back(w.hwnd);
  return notes;
}

RECT WindowBounds(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

HWND NoteWindowAt(const AppProcess& app, int left, int top) {
  for (HWND note : NoteWindows(app)) {
    RECT r = WindowBounds(note);
    if (r.left == left && r.top == top) return note;
  }
  return nullptr;
}

SIZE NoteTextExtent(const std::string& text, bool bold, int wrapWidth) {
  HDC screen = GetDC(nullptr);
  HFONT font = CreateFontA(-MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL,
                           FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
  HGDIOBJ old = SelectObject(screen, font);
  RECT r{0, 0, wrapWidth, 0};
  std::string measured = text.empty() ? " " : text;
  DrawTextA(screen, measured.c_str(), static_cast<int>(measured.size()), &r,
            DT_CALCRECT | DT_EXPANDTABS | (wrapWidth > 0 ? DT_WORDBREAK : 0));
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return {r.right - r.left, r.bottom - r.top};
}

int NoteLineHeight() { return NoteTextExtent("Wg", false).cy; }

std::vector<COLORREF> GlyphPixels(const std::string& exe, int id) {
  std::vector<COLORREF> out;
  HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return out;
  HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
  if (bitmap) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 16;
    bi.bmiHeader.biHeight = -16;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<DWORD> bits(16 * 16);
    HDC screen = GetDC(nullptr);
    int rows = GetDIBits(screen, bitmap, 0, 16, bits.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    if (rows == 16)
      for (DWORD p : bits) out.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  }
  FreeLibrary(module);
  return out;
}

std::string SaveScreenshot(const std::string& name, const RECT* area) {
  RECT whole{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const RECT& r = area ? *area : whole;
  int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;  // bottom-up, as BMP files store it
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  int stride = ((w * 3 + 3) / 4) * 4;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
  fh.bfSize = fh.bfOffBits + stride * h;
  std::string path = OutputFolder() + "\\" + name + ".bmp";
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
  out.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
  out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(stride) * h);
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return path;
}

// --- Keys held until their effect shows; fields of another process ------------
//
// Shortly after a window is activated, Wine may bring its modifier state back
// in line with the X server's keyboard, where SendInput's keys never were: a
// Shift or Ctrl that is held down at that moment is lost. The two helpers
// below see that happen (the modifier is up although it was never released)
// and then press again; a program that had the modifier and did nothing fails.

namespace {

bool ModifierDown(WORD key) { return GetAsyncKeyState(key) < 0; }

}  // namespace

bool PressChordUntil(std::initializer_list<WORD> keys, const std::function<bool()>& done,
                     DWORD timeoutMs) {
  if (keys.size() == 0) return done();
  const WORD modifier = *keys.begin();
  for (int attempt = 0; attempt < 3; ++attempt) {
    for (WORD key : keys) KeyDown(key);
    for (auto it = std::rbegin(keys); it != std::prev(std::rend(keys)); ++it) KeyUp(*it);
    bool seen = WaitUntil(done, timeoutMs);
    bool held = ModifierDown(modifier);
    KeyUp(modifier);
    if (seen || held) return seen;
  }
  return false;
}

std::string WindowTextOf(HWND hwnd) { return AnsiOfWide(WindowTextOfW(hwnd)); }

HWND FocusedWindowOf(HWND window) {
  GUITHREADINFO info{sizeof info};
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

namespace {

// The character just before the caret of an edit control, 0 when none.
char CharBeforeCaret(HWND edit) {
  DWORD_PTR sel = 0;
  if (!SendMessageTimeoutA(edit, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 3000, &sel)) return 0;
  std::size_t caret = LOWORD(sel);
  std::string text = WindowTextOf(edit);
  return caret > 0 && caret <= text.size() ? text[caret - 1] : 0;
}

}  // namespace

bool TypeInto(HWND field, const std::string& text, DWORD timeoutMs) {
  bool all = true;
  for (char c : text) {
    WORD key = VK_RETURN;
    bool shift = false;
    if (c != '\n') {
      SHORT scan = VkKeyScanA(c);
      if (scan == -1) throw std::runtime_error(std::string("no key types '") + c + "'");
      key = LOBYTE(scan);
      shift = (HIBYTE(scan) & 1) != 0;
    }
    std::string before = WindowTextOf(field);
    auto changed = [&] { return WindowTextOf(field) != before; };
    if (!shift) {
      PressChord({key});
      all = WaitUntil(changed, timeoutMs) && all;
      continue;
    }
    bool typed = false;
    for (int attempt = 0; attempt < 3 && !typed; ++attempt) {
      KeyDown(VK_SHIFT);
      PressChord({key});
      bool seen = WaitUntil(changed, timeoutMs);
      bool held = ModifierDown(VK_SHIFT);
      KeyUp(VK_SHIFT);
      if (!seen) break;
      typed = held || CharBeforeCaret(field) == c;
      if (!typed) {
        // Shift was lost before the key: take the wrong character back (what
        // it replaced, a selection, stays gone).
        const std::string wrong = WindowTextOf(field);
        PressChord({VK_BACK});
        WaitUntil([&] { return WindowTextOf(field) != wrong; }, timeoutMs);
        before = WindowTextOf(field);
      }
    }
    all = typed && all;
  }
  return all;
}

void Key(WORD key, int times) {
  for (int i = 0; i < times; ++i) PressChord({key});
}

HWND ChildWithText(HWND parent, const std::string& text, int skip) {
  struct Search {
    const std::string* text;
    int skip;
    HWND found;
  } search{&text, skip, nullptr};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (WindowTextOf(child) != *s->text || s->skip-- > 0) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void ClickControl(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

}  // namespace e2e

namespace e2e {

POINT TrayIconPoint() {
  HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  RECT r{0, 748, 1024, 768};
  if (taskbar) GetWindowRect(taskbar, &r);
  return {r.right - 11, (r.top + r.bottom) / 2};
}

HWND OpenTrayMenu(const AppProcess& app) {
  // A click right after a menu was closed is sometimes swallowed by the desktop.
  for (int attempt = 0; attempt < 4; ++attempt) {
    POINT p = TrayIconPoint();
    Click(p.x, p.y, MouseButton::Right);
    HWND menu = nullptr;
    if (WaitUntil([&] { return (menu = ShownMenu(app)) != nullptr; }, 2000)) return menu;
  }
  return nullptr;
}

HWND OpenEditorFromTray(const AppProcess& app) {
  // As with the menu, a double click can be swallowed by the desktop; one
  // that arrives while the editor is already open only opens it again.
  for (int attempt = 0; attempt < 3; ++attempt) {
    POINT p = TrayIconPoint();
    DoubleClick(p.x, p.y);
    HWND editor = nullptr;
    if (WaitUntil([&] { return (editor = app.FindWindowOfClass("TFormSticker")) && IsWindowVisible(editor); },
                  3000))
      return editor;
  }
  return nullptr;
}

void ChooseTrayMenuItem(int downs) {
  for (int i = 0; i < downs; ++i) PressChord({VK_DOWN});
  PressChord({VK_RETURN});
}

void CloseMenus(const AppProcess& app) {
  for (int i = 0; i < 3 && ShownMenu(app); ++i) {
    PressChord({VK_ESCAPE});
    WaitUntil([&] { return ShownMenu(app) == nullptr; }, 500);
  }
}

std::vector<DWORD> ProcessesNamed(const std::string& exeName) {
  std::vector<DWORD> found;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return found;
  PROCESSENTRY32 entry{sizeof entry};
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    if (_stricmp(entry.szExeFile, exeName.c_str()) == 0) found.push_back(entry.th32ProcessID);
  CloseHandle(snapshot);
  return found;
}

std::optional<std::string> ProcessCommandLine(DWORD pid) {
  // PEB -> ProcessParameters -> CommandLine, in the other process's memory.
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return std::nullopt;
  std::optional<std::string> result;
  PROCESS_BASIC_INFORMATION basic{};
  PEB peb{};
  RTL_USER_PROCESS_PARAMETERS parameters{};
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) == 0 &&
      ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) &&
      ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, nullptr)) {
    std::wstring text(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    if (ReadProcessMemory(process, parameters.CommandLine.Buffer, text.data(), parameters.CommandLine.Length,
                          nullptr)) {
      result = AnsiOfWide(text);
    }
  }
  CloseHandle(process);
  return result;
}

void TerminateProcessById(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  if (!process) return;
  TerminateProcess(process, 1);
  WaitForSingleObject(process, 5000);
  CloseHandle(process);
}

}  // namespace e2e
