#pragma once
// The hidden main form: start-up of the shared state, loading, and the exit
// sequence. It is the application window and is never shown.
#include <optional>

#include "base/window.h"
#include "storage/ini_document.h"

namespace wisplet {

class TFormMain : public Window {
 public:
  TFormMain();
  // The start-up steps after the single-instance guard: help file, placement
  // counters, the current scheme, the settings file and the main settings.
  void FormCreate();
  // Reads the schemes and the notes once all forms exist.
  void LoadAll();
  // Writes main settings, schemes and notes, then closes this window, which
  // ends the message loop. A failing write throws and the program keeps running.
  void ExitSequence();
  // Writes everything without any dialog when the Windows session ends.
  void SaveAllQuietly();

 private:
  // While the settings file could not be read: tells the user once, and
  // tries again now and then until it is read.
  void ShowUnreadMessage();
  void RetryRead();

  // The settings file as start-up read it; nothing when it could not be read.
  std::optional<IniDocument> startupFile_;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace wisplet
