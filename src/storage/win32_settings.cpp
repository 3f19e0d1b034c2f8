#include "storage/win32_settings.h"

#include <windows.h>


#include "app/win32_handles.h"

namespace wisplet {
namespace {

constexpr DWORD kReadRetries = 20;        // another program may hold the file briefly
constexpr DWORD kReadRetryDelayMs = 50;
constexpr ULONGLONG kMaxSettingsFileSize = 256ull << 20;  // far beyond any real settings file
constexpr DWORD kMaxRegistryText = 1 << 16;

const char kRunKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return FlushFileBuffers(file.get()) != 0;
}

RegKey OpenRunKey() {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    return RegKey();
  return RegKey(key);
}

// The conversions of the "A" profile functions: best fit, "?" where there is none.
std::string WideToAnsi(std::u16string_view text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  int length = static_cast<int>(text.size());
  int narrow = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(narrow), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), narrow, nullptr, nullptr);
  return out;
}

std::u16string AnsiToWide(std::string_view text) {
  if (text.empty()) return {};
  int length = static_cast<int>(text.size());
  int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  std::u16string out(static_cast<std::size_t>(wide), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(out.data()), wide);
  return out;
}

}  // namespace

SettingsFile::ReadStatus Win32SettingsFile::Read(std::string& bytes) {
  bytes.clear();
  FileHandle file;
  for (DWORD attempt = 0;; ++attempt) {
    file.reset(CreateFileA(path_.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) break;
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return ReadStatus::Missing;
    if (error != ERROR_SHARING_VIOLATION || attempt + 1 >= kReadRetries) return ReadStatus::Failed;
    Sleep(kReadRetryDelayMs);
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || static_cast<ULONGLONG>(size.QuadPart) > kMaxSettingsFileSize)
    return ReadStatus::Failed;
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    if (!ReadFile(file.get(), bytes.data() + done, chunk, &got, nullptr)) return ReadStatus::Failed;
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return ReadStatus::Ok;
}

bool Win32SettingsFile::Replace(const std::string& bytes) {
  DWORD attributes = GetFileAttributesA(path_.c_str());
  bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  // A read-only settings file is the user's choice; it is not replaced.
  if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return false;

  char temp[MAX_PATH + 1] = {};
  if (!GetTempFileNameA(FolderOf(path_).c_str(), "wsp", 0, temp)) return false;
  if (!WriteWholeFile(temp, bytes) ||
      !MoveFileExA(temp, path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temp);
    return false;
  }
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (exists && (attributes & kKept)) SetFileAttributesA(path_.c_str(), attributes);
  return true;
}

AutorunStore::Status RegistryAutorunStore::Read(std::string& value) {
  value.clear();
  RegKey key = OpenRunKey();
  if (!key) return Status::CantOpen;
  DWORD type = 0, size = 0;
  LONG rc = RegQueryValueExA(key.get(), "Sticker", nullptr, &type, nullptr, &size);
  if (rc == ERROR_FILE_NOT_FOUND) return Status::Ok;
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || size > kMaxRegistryText)
    return Status::Failed;
  std::string data(size, '\0');
  rc = RegQueryValueExA(key.get(), "Sticker", nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                        &size);
  if (rc != ERROR_SUCCESS) return Status::Failed;
  data.resize(size);
  value = data.substr(0, data.find('\0'));
  return Status::Ok;
}

AutorunStore::Status RegistryAutorunStore::Write(const std::string& value) {
  RegKey key = OpenRunKey();
  if (!key) return Status::CantOpen;
  LONG rc = RegSetValueExA(key.get(), "Sticker", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1));
  return rc == ERROR_SUCCESS ? Status::Ok : Status::Failed;
}

AutorunStore::Status RegistryAutorunStore::Delete() {
  RegKey key = OpenRunKey();
  if (!key) return Status::CantOpen;
  LONG rc = RegDeleteValueA(key.get(), "Sticker");
  // A value that stays behind is reported like a key that cannot be written.
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? Status::Ok : Status::CantOpen;
}

TextCodec AnsiCodec() {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");
  return {WideToAnsi, AnsiToWide};
}

}  // namespace wisplet
