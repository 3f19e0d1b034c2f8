// The harness's wide side: what the tests of Unicode text need to see, type
// and keep in places the ANSI code page cannot name. The narrow functions of
// harness.cpp convert their text and call these.
#include <cstring>
#include <stdexcept>

#include "harness.h"

namespace e2e {
namespace {

const wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

void SendUnit(wchar_t unit, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = unit;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  if (SendInput(1, &input, sizeof input) != 1) throw std::runtime_error("SendInput refused the input");
  Sleep(15);
}

}  // namespace

std::wstring WideOfAnsi(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), static_cast<int>(wide.size()))));
  return wide;
}

std::string AnsiOfWide(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), n, nullptr, nullptr);
  return ansi;
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring full = folder + L"\\" + name;
      SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(full);
      else
        DeleteFileW(full.c_str());
    } while (FindNextFileW(find, &fd));
    FindClose(find);
  }
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(folder.c_str());
}

std::wstring WindowTextOfW(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 3000, &length))
    throw std::runtime_error("window does not answer WM_GETTEXTLENGTH");
  std::wstring text(length + 1, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                           3000, &got))
    throw std::runtime_error("window does not answer WM_GETTEXT");
  text.resize(std::min<std::size_t>(got, length));
  return text;
}

bool TypeUnicode(HWND field, const std::wstring& text, DWORD timeoutMs) {
  bool all = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::wstring before = WindowTextOfW(field);
    const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size();
    for (std::size_t k = i; k <= i + (pair ? 1 : 0); ++k) {
      SendUnit(text[k], false);
      SendUnit(text[k], true);
    }
    if (pair) ++i;
    all = WaitUntil([&] { return WindowTextOfW(field) != before; }, timeoutMs) && all;
  }
  return all;
}

UINT AnsiCodePageOf(LCID locale) {
  DWORD codePage = 0;
  GetLocaleInfoW(locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&codePage),
                 sizeof codePage / sizeof(wchar_t));
  return codePage;
}

void SetClipboardUnicodeText(const std::wstring& text) {
  ClipboardOpen open;
  EmptyClipboard();
  const std::size_t size = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) throw std::runtime_error("out of memory");
  std::memcpy(GlobalLock(block), text.c_str(), size);
  GlobalUnlock(block);
  if (!SetClipboardData(CF_UNICODETEXT, block)) {
    GlobalFree(block);
    throw std::runtime_error("cannot set the clipboard");
  }
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD got = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(file);
  bytes.resize(got);
  return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + AnsiOfWide(path));
  DWORD written = 0;
  const bool all = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                   written == bytes.size();
  CloseHandle(file);
  if (!all) throw std::runtime_error("cannot write " + AnsiOfWide(path));
}

std::optional<std::wstring> Utf16LEText(const std::string& bytes) {
  if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0) return std::nullopt;
  std::wstring text;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
    text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
  return text;
}

std::optional<std::wstring> ReadAutorunValueW(HKEY root, DWORD* type) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
  wchar_t data[2048] = {};
  DWORD size = sizeof data - sizeof(wchar_t), kind = 0;
  LONG rc = RegQueryValueExW(key, L"Sticker", nullptr, &kind, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return std::nullopt;
  if (type) *type = kind;
  return std::wstring(data);
}

void WriteAutorunValueW(const std::wstring& value, DWORD type, HKEY root) {
  HKEY key = nullptr;
  RegCreateKeyExW(root, kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegSetValueExW(key, L"Sticker", 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

WideTestFolder::WideTestFolder(const std::wstring& name) {
  CreateDirectoryW(L"C:\\wisplet-e2e", nullptr);
  path_ = L"C:\\wisplet-e2e\\" + name + L" " + std::to_wstring(GetCurrentProcessId());
  RemoveTree(path_);
  if (!CreateDirectoryW(path_.c_str(), nullptr)) throw std::runtime_error("cannot create a wide test folder");
  std::wstring source(MAX_PATH * 4, L'\0');
  source.resize(GetModuleFileNameW(nullptr, source.data(), static_cast<DWORD>(source.size())));
  source = source.substr(0, source.find_last_of(L'\\')) + L"\\Wisplet.exe";
  if (!CopyFileW(source.c_str(), Exe().c_str(), FALSE)) throw std::runtime_error("cannot copy Wisplet.exe");
}

WideTestFolder::~WideTestFolder() { RemoveTree(path_); }

AppProcess::AppProcess(const std::wstring& exePath, const std::wstring& arguments) {
  STARTUPINFOW si{sizeof si};
  std::wstring commandLine = L"\"" + exePath + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  std::wstring folder = exePath.substr(0, exePath.find_last_of(L'\\'));
  if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                      &pi_))
    throw std::runtime_error("cannot start " + AnsiOfWide(exePath));
}

}  // namespace e2e
