#include "storage/win32_settings.h"

#include <windows.h>

#include <algorithm>

#include "base/wide_text.h"
#include "base/win32_handles.h"

namespace wisplet {
namespace {

constexpr DWORD kReadRetries = 20;        // another program may hold the file briefly
constexpr DWORD kReadRetryDelayMs = 50;
constexpr ULONGLONG kMaxSettingsFileSize = 256ull << 20;  // far beyond any real settings file
constexpr DWORD kMaxRegistryText = 1 << 16;

const wchar_t kValueName[] = L"Sticker";
const wchar_t kRunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

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
bool CarryOver(const std::wstring& from, DWORD attributes, const std::wstring& to) {
  constexpr DWORD kKept = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  DWORD kept = attributes & kKept;
  if (!SetFileAttributesW(to.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL)) return false;
  constexpr SECURITY_INFORMATION kInfo =
      OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  DWORD size = 0;
  GetFileSecurityW(from.c_str(), kInfo, nullptr, 0, &size);
  std::string descriptor(size, '\0');
  if (size == 0 || !GetFileSecurityW(from.c_str(), kInfo, descriptor.data(), size, &size)) return false;
  return SetFileSecurityW(to.c_str(), kInfo, descriptor.data()) != 0;
}

// The Run key with the access asked for; `create` makes a missing key,
// otherwise it opens as ERROR_FILE_NOT_FOUND.
LONG OpenRunKey(HKEY root, REGSAM access, bool create, RegKey& key) {
  HKEY h = nullptr;
  LONG rc = create ? RegCreateKeyExW(root, kRunKeyPath, 0, nullptr, 0, access, nullptr, &h, nullptr)
                   : RegOpenKeyExW(root, kRunKeyPath, 0, access, &h);
  if (rc == ERROR_SUCCESS) key.reset(h);
  return rc;
}

TextCodec CodePageCodec(UINT codePage) {
  TextCodec codec;
  codec.Encode = [codePage](std::u16string_view text) {
    return ToCodePage(codePage, std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
  };
  codec.Decode = [codePage](std::string_view bytes) {
    std::wstring wide = FromCodePage(codePage, bytes);
    return std::u16string(wide.begin(), wide.end());
  };
  codec.utf8 = codePage == CP_UTF8;
  return codec;
}

}  // namespace

FileOps::Result Win32FileOps::Read(const std::string& path, std::string& bytes) {
  bytes.clear();
  FileHandle file;
  for (DWORD attempt = 0;; ++attempt) {
    file.reset(CreateFileW(Wide(path).c_str(), GENERIC_READ,
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
  const std::wstring target = Wide(path);
  DWORD attributes = GetFileAttributesW(target.c_str());
  bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  // A read-only settings file is the user's choice; it is not replaced.
  if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return Result::Failed;

  wchar_t temp[MAX_PATH + 1] = {};
  if (!GetTempFileNameW(Wide(FolderOf(path)).c_str(), L"wsp", 0, temp)) return Refusal(GetLastError());
  Result result = Result::Ok;
  {
    FileHandle file(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || !WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) result = Result::Failed;
  }
  // Where the old file's security cannot be given to the new one, the
  // rewrite in place keeps it.
  if (result == Result::Ok && exists && !CarryOver(target, attributes, temp)) result = Result::Refused;
  if (result == Result::Ok &&
      !MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    result = Refusal(GetLastError());
  if (result != Result::Ok) DeleteFileW(temp);
  return result;
}

FileOps::Result Win32FileOps::Rewrite(const std::string& path, const std::string& bytes,
                                      const std::function<bool()>& ready) {
  // Shared as the program that holds the file open shares it.
  FileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || !ready()) return Result::Refused;
  if (!WriteAll(file.get(), bytes) || !SetEndOfFile(file.get()) || !FlushFileBuffers(file.get()))
    return Result::Failed;
  return Result::Ok;
}

void Win32FileOps::Remove(const std::string& path) { DeleteFileW(Wide(path).c_str()); }

namespace {

std::string TempFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  return length > 0 && length <= MAX_PATH ? Utf8(std::wstring_view(folder, length)) : std::string();
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
  LONG rc = RegQueryValueExW(key.get(), kValueName, nullptr, &type, nullptr, &size);
  if (rc == ERROR_FILE_NOT_FOUND) return Status::Ok;
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || size > kMaxRegistryText)
    return Status::Failed;
  std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
  rc = RegQueryValueExW(key.get(), kValueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
  if (rc != ERROR_SUCCESS) return Status::Failed;
  data.resize(size / sizeof(wchar_t));  // an odd last byte is half a character
  value = Utf8(data.substr(0, data.find(L'\0')));
  return Status::Ok;
}

AutorunStore::Status RegistryAutorunStore::Write(const std::string& value) {
  RegKey key;
  if (OpenRunKey(root_, KEY_SET_VALUE, true, key) != ERROR_SUCCESS) return Status::CantOpen;
  const std::wstring data = Wide(value);
  LONG rc = RegSetValueExW(key.get(), kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                           static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  return rc == ERROR_SUCCESS ? Status::Ok : Status::Failed;
}

AutorunStore::Status RegistryAutorunStore::Delete() {
  RegKey key;
  LONG opened = OpenRunKey(root_, KEY_SET_VALUE, false, key);
  if (opened == ERROR_FILE_NOT_FOUND) return Status::Ok;
  if (opened != ERROR_SUCCESS) return Status::CantOpen;
  LONG rc = RegDeleteValueW(key.get(), kValueName);
  // A value that stays behind is reported like a key that cannot be written.
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? Status::Ok : Status::CantOpen;
}

bool HeldWithoutSharing(const std::string& path) {
  FileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return !file && GetLastError() == ERROR_SHARING_VIOLATION;
}

CodePages AnsiCodePages() {
  const UINT ansi = GetACP();
  return {CodePageCodec(ansi), CodePageCodec(ansi == CP_UTF8 ? LegacyAnsiCodePage() : ansi)};
}

}  // namespace wisplet
