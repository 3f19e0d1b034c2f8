#pragma once
// The program's one message loop. Modeless dialogs get their keyboard (Tab,
// arrows, mnemonics) through IsDialogMessage in it.
#include <windows.h>

#include <functional>

namespace wisplet {

void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);

// Lets the window events that are already waiting be handled; a quit request
// is left for the main loop.
void ProcessMessages();
// Has the main loop run `signalled` each time `handle` (a change
// notification, an event) is signalled: the loop sleeps on both the window
// events and the handles, so a watch costs nothing while nothing happens.
void WatchHandle(HANDLE handle, std::function<void()> signalled);
void UnwatchHandle(HANDLE handle);
// Whether a menu is open or a window is being moved or sized by the system,
// whose lists and places a change would alter under the user.
bool InMenuOrMoveLoop();
// Runs until the quit request or until `mainWindow` is gone; returns the exit code.
int RunMessageLoop(HWND mainWindow);

}  // namespace wisplet
