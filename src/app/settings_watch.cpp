#include "app/settings_watch.h"

#include <exception>

#include "app/app.h"
#include "base/message_loop.h"
#include "base/wide_text.h"
#include "storage/conflict_copy.h"
#include "storage/win32_settings.h"

namespace wisplet {
namespace {

const wchar_t kClassName[] = L"WispletSettingsWatch";
constexpr UINT_PTR kLookTimer = 1;
constexpr UINT kQuietMs = 250;       // after the last change of a burst
constexpr ULONGLONG kLongestWaitMs = 1200;  // after its first change
constexpr UINT kReadAgainMs = 500;
constexpr int kReadTries = 8;

// Where a merged copy goes: its name with ".merged", numbered when taken.
std::wstring MergedName(const std::wstring& copy) {
  const std::wstring suffix = Wide(std::string(kMergedSuffix));
  std::wstring name = copy + suffix;
  for (int n = 2; GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES; ++n)
    name = copy + L"." + std::to_wstring(n) + suffix;
  return name;
}

}  // namespace

SettingsWatch::SettingsWatch(std::string settingsPath) : path_(std::move(settingsPath)) {
  const std::size_t slash = path_.find_last_of("\\/");
  folder_ = slash == std::string::npos ? "." : path_.substr(0, slash);
  name_ = path_.substr(slash == std::string::npos ? 0 : slash + 1);
  RegisterWindowClass(kClassName, 0, nullptr);
  Create(kClassName, 0, 0, 0, 0, 0, 0, HWND_MESSAGE);
}

SettingsWatch::~SettingsWatch() {
  if (notification_) UnwatchHandle(notification_.get());
}

void SettingsWatch::Start() {
  CheckNow();  // the conflict copies there now
  // Names (a file replaced, a copy put there) and writes in place.
  notification_.reset(FindFirstChangeNotificationW(
      Wide(folder_).c_str(), FALSE,
      FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE));
  if (notification_) WatchHandle(notification_.get(), [this] { FolderChanged(); });
}

void SettingsWatch::CheckNow() {
  firstChange_ = GetTickCount64();
  SetTimer(m_hwnd, kLookTimer, kQuietMs, nullptr);
}

void SettingsWatch::FolderChanged() {
  FindNextChangeNotification(notification_.get());
  const ULONGLONG now = GetTickCount64();
  if (!firstChange_) firstChange_ = now;
  // Each change puts the look off again, but not for ever.
  if (now - firstChange_ < kLongestWaitMs) SetTimer(m_hwnd, kLookTimer, kQuietMs, nullptr);
}

void SettingsWatch::Settled() {
  KillTimer(m_hwnd, kLookTimer);
  // Not while a menu is open or a note is moved: what they show would change
  // under the user. Looked at again once they are done.
  if (busy_ || InMenuOrMoveLoop()) {
    SetTimer(m_hwnd, kLookTimer, kQuietMs, nullptr);
    return;
  }
  firstChange_ = 0;
  busy_ = true;
  try {
    TakeChanges();
    MergeConflictCopies();
  } catch (const std::exception&) {
    // A save that failed: everything stays in memory, the copy where it is.
  }
  busy_ = false;
}

void SettingsWatch::TakeChanges() {
  Application& app = App();
  SettingsSync::Change change =
      HeldWithoutSharing(path_) ? SettingsSync::Change::Unreadable : app.TakeChangesFromOutside();
  if (change == SettingsSync::Change::Unreadable || change == SettingsSync::Change::Damaged) {
    ReadAgainLater(change == SettingsSync::Change::Damaged);
    return;
  }
  tries_ = 0;
  damageTold_ = false;  // whole again: the next damage is told again
}

void SettingsWatch::ReadAgainLater(bool damaged) {
  if (++tries_ <= kReadTries) {
    firstChange_ = GetTickCount64();
    SetTimer(m_hwnd, kLookTimer, kReadAgainMs, nullptr);
    return;
  }
  tries_ = 0;
  if (!damaged || damageTold_) return;
  damageTold_ = true;
  Tell("The file that holds your notes was changed by another program and looks damaged or incomplete:\n" +
       path_ +
       "\n\nWisplet has left it as it is. Your notes are kept; the next time Wisplet saves, it adds the notes "
       "it can read in the file to yours.");
}

void SettingsWatch::MergeConflictCopies() {
  Application& app = App();
  if (!app.Sync->HasRead()) return;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(Wide(folder_ + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  std::vector<std::string> copies;
  do {
    const std::string name = Utf8(found.cFileName);
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsConflictCopyName(name_, name))
      copies.push_back(folder_ + "\\" + name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  for (const std::string& copy : copies) {
    std::string bytes;
    // A copy its sync client is still writing is merged at the change that ends the write.
    if (HeldWithoutSharing(copy) || Win32FileOps().Read(copy, bytes) != FileOps::Result::Ok) continue;
    if (app.MergeConflictCopy(bytes)) {
      const std::wstring from = Wide(copy);
      MoveFileExW(from.c_str(), MergedName(from).c_str(), 0);
    } else if (copiesTold_.insert(copy).second) {
      Tell("This copy of the file that holds your notes, left by a sync program, looks damaged:\n" + copy +
           "\n\nWisplet has left it as it is and has not taken anything from it.");
    }
  }
}

void SettingsWatch::Tell(const std::string& text) const {
  MessageBoxW(App().ApplicationWindow(), Wide(text).c_str(), Wide(App().Title).c_str(),
              MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

LRESULT SettingsWatch::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kLookTimer) {
    Settled();
    return 0;
  }
  return DefaultHandling(msg, wParam, lParam);
}

}  // namespace wisplet
