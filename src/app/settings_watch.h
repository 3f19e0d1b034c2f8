#pragma once
// Changes others make to the settings file while the program runs - another
// PC through a synced folder, a hand edit, a sync client's conflict copy put
// beside it - are merged in as they come. The folder is watched with a change
// notification the message loop sleeps on: while nothing changes, the watch
// costs nothing.
#include <windows.h>

#include <set>
#include <string>

#include "base/win32_handles.h"
#include "base/window.h"

namespace wisplet {

class SettingsWatch : public Window {
 public:
  explicit SettingsWatch(std::string settingsPath);
  ~SettingsWatch() override;
  // Begins watching; the conflict copies there now are merged at once.
  void Start();
  // Looks at the folder soon, as after a change (the settings file was read
  // at last after an unreadable start).
  void CheckNow();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  // A burst of writes (a sync client's, a save of ours) is taken in once: the
  // folder is looked at after a short quiet time, at the latest a little
  // after the first change.
  void FolderChanged();
  void Settled();
  void TakeChanges();
  void MergeConflictCopies();
  // A file held by its writer or cut short is read again a little later, a
  // few times; then it waits for the next change.
  void ReadAgainLater(bool damaged);
  void Tell(const std::string& text) const;

  std::string path_, folder_, name_;
  ChangeNotification notification_;
  ULONGLONG firstChange_ = 0;  // of the burst being waited out; 0: none
  int tries_ = 0;
  bool busy_ = false;  // merging, or telling the user something
  bool damageTold_ = false;
  std::set<std::string> copiesTold_;  // damaged conflict copies, told once
};

}  // namespace wisplet
