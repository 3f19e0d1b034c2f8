#pragma once
// The command line between two copies of Wisplet: the running copy keeps a
// message-only window, found by a class name of Wisplet's own and the
// application title, that takes a command as WM_COPYDATA and runs it from
// the message loop; a copy started with a command while another runs hands
// the command over with HandCommandOver and ends.
#include <windows.h>

#include <string>
#include <vector>

#include "base/window.h"
#include "model/command_line.h"

namespace wisplet {

struct Application;

class CommandWindow : public Window {
 public:
  // Made once the notes are loaded, so that a command never meets a
  // half-loaded program.
  explicit CommandWindow(Application& app);
  // Runs a command from the message loop: the start's own, or one handed over.
  void Post(HandedCommand command);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Run(const HandedCommand& command);

  Application& app_;
  std::vector<HandedCommand> pending_;
};

// Hands the command to the copy of Wisplet titled `title`, waiting a while
// for its window while it is still starting. "/exit" waits until that copy
// has ended. False when no copy took the command (none answered, it refused
// the message) or, for "/exit", when it is still running afterwards (its
// save failed, and it said so).
bool HandCommandOver(const std::string& title, const HandedCommand& command);

}  // namespace wisplet
