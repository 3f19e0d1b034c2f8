#pragma once
// Command identifiers of the tray menu and its "Notes List" submenu.

namespace wisplet {

enum TrayCommand : unsigned {
  kCmdNew = 101,
  kCmdOptions = 102,
  kCmdHelp = 103,
  kCmdAbout = 104,
  kCmdExit = 105,
  kCmdShowAll = 201,
  kCmdHideAll = 202,
  kCmdNoneItem = 203,
  kCmdClearClosed = 204,
  // Item i of "Recently closed" stands for the i-th note closed last.
  kCmdClosedFirst = 300,
  // Item i of the notes list stands for Stickers[i].
  kCmdNotesListFirst = 1000,
};

// Items of the notes-list submenu before the per-note ones.
constexpr int kNotesListFixedItems = 3;

}  // namespace wisplet
