#include "storage/win32_settings.h"

#include <windows.h>

#include <algorithm>

#include "base/win32_handles.h"

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

bool WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

FileOps::Result Refusal(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ? FileOps::Result::Refused
                                                                         : FileOps::Result::Failed;
}

// Gives the new file the old one's attributes and security descriptor (owner,
// group and access list). False when the descriptor cannot be carried over.
bool CarryOver(const std::string& from, DWORD attributes, const std::string& to) {
  constexpr DWORD kKept = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  DWORD kept = attributes & kKept;
  if (!SetFileAttributesA(to.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL)) return false;
  constexpr SECURITY_INFORMATION kInfo =
      OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  DWORD size = 0;
  GetFileSecurityA(from.c_str(), kInfo, nullptr, 0, &size);
  std::string descriptor(size, '\0');
  if (size == 0 || !GetFileSecurityA(from.c_str(), kInfo, descriptor.data(), size, &size)) return false;
  return SetFileSecurityA(to.c_str(), kInfo, descriptor.data()) != 0;
}

// The Run key with the access asked for; `create` makes a missing key,
// otherwise it opens as ERROR_FILE_NOT_FOUND.
LONG OpenRunKey(HKEY root, REGSAM access, bool create, RegKey& key) {
  HKEY h = nullptr;
  LONG rc = create ? RegCreateKeyExA(root, kRunKeyPath, 0, nullptr, 0, access, nullptr, &h, nullptr)
                   : RegOpenKeyExA(root, kRunKeyPath, 0, access, &h);
  if (rc == ERROR_SUCCESS) key.reset(h);
  return rc;
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

FileOps::Result Win32FileOps::Read(const std::string& path, std::string& bytes) {
  bytes.clear();
  FileHandle file;
  for (DWORD attempt = 0;; ++attempt) {
    file.reset(CreateFileA(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) break;
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return Result::Missing;
    if (error != ERROR_SHARING_VIOLATION || attempt + 1 >= kReadRetries) return Result::Failed;
    Sleep(kReadRetryDelayMs);
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || static_cast<ULONGLONG>(size.QuadPart) > kMaxSettingsFileSize)
    return Result::Failed;
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    if (!ReadFile(file.get(), bytes.data() + done, chunk, &got, nullptr)) return Result::Failed;
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return Result::Ok;
}

FileOps::Result Win32FileOps::Replace(const std::string& path, const std::string& bytes) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  // A read-only settings file is the user's choice; it is not replaced.
  if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return Result::Failed;

  char temp[MAX_PATH + 1] = {};
  if (!GetTempFileNameA(FolderOf(path).c_str(), "wsp", 0, temp)) return Refusal(GetLastError());
  Result result = Result::Ok;
  {
    FileHandle file(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || !WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) result = Result::Failed;
  }
  // Where the old file's security cannot be given to the new one, the
  // rewrite in place keeps it.
  if (result == Result::Ok && exists && !CarryOver(path, attributes, temp)) result = Result::Refused;
  if (result == Result::Ok &&
      !MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    result = Refusal(GetLastError());
  if (result != Result::Ok) DeleteFileA(temp);
  return result;
}

FileOps::Result Win32FileOps::Rewrite(const std::string& path, const std::string& bytes,
                                      const std::function<bool()>& ready) {
  // Shared as the program that holds the file open shares it.
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || !ready()) return Result::Refused;
  if (!WriteAll(file.get(), bytes) || !SetEndOfFile(file.get()) || !FlushFileBuffers(file.get()))
    return Result::Failed;
  return Result::Ok;
}

void Win32FileOps::Remove(const std::string& path) { DeleteFileA(path.c_str()); }

namespace {

std::string TempFolder() {
  char folder[MAX_PATH + 1] = {};
  DWORD length = GetTempPathA(sizeof folder, folder);
  return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

}  // namespace

Win32SettingsFile::Win32SettingsFile(std::string path)
    : SafeSettingsFile(*this, path, RecoveryPaths(path, TempFolder())) {}

AutorunStore::Status RegistryAutorunStore::Read(std::string& value) {
  value.clear();
  RegKey key;
  LONG opened = OpenRunKey(root_, KEY_QUERY_VALUE, false, key);
  if (opened == ERROR_FILE_NOT_FOUND) return Status::Ok;
  if (opened != ERROR_SUCCESS) return Status::CantOpen;
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
  RegKey key;
  if (OpenRunKey(root_, KEY_SET_VALUE, true, key) != ERROR_SUCCESS) return Status::CantOpen;
  LONG rc = RegSetValueExA(key.get(), "Sticker", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1));
  return rc == ERROR_SUCCESS ? Status::Ok : Status::Failed;
}

AutorunStore::Status RegistryAutorunStore::Delete() {
  RegKey key;
  LONG opened = OpenRunKey(root_, KEY_SET_VALUE, false, key);
  if (opened == ERROR_FILE_NOT_FOUND) return Status::Ok;
  if (opened != ERROR_SUCCESS) return Status::CantOpen;
  LONG rc = RegDeleteValueA(key.get(), "Sticker");
  // A value that stays behind is reported like a key that cannot be written.
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? Status::Ok : Status::CantOpen;
}

TextCodec AnsiCodec() {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");
  return {WideToAnsi, AnsiToWide};
}

}  // namespace wisplet
