#pragma once
// The program's one message loop. Modeless dialogs get their keyboard (Tab,
// arrows, mnemonics) through IsDialogMessage in it.
#include <windows.h>

namespace wisplet {

void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);

// Lets the window events that are already waiting be handled; a quit request
// is left for the main loop.
void ProcessMessages();
// Runs until the quit request or until `mainWindow` is gone; returns the exit code.
int RunMessageLoop(HWND mainWindow);

}  // namespace wisplet
