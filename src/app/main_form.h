#pragma once
// The hidden main form: start-up of the shared state, loading, and the exit
// sequence. It is the application window and is never shown.
#include "base/window.h"

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
  // Throws Error when the settings file cannot be written.
  void SaveSettingsFile(bool withMain);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace wisplet
