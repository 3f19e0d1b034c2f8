#pragma once
// What the parts of a note window's implementation share: its menu's items
// and its title-bar buttons. Only the note window's own files include this.
#include <windows.h>

#include <algorithm>
#include <iterator>

#include "notes/sticker_window.h"

namespace wisplet::note_parts {

struct MenuItem {
  int command;
  const char* caption;  // with the shortcut shown beside it
  UINT key;
  bool ctrl;
};
inline constexpr MenuItem kMenuItems[] = {
    {TStickerWindow::CmdEdit, "&Edit Note\tCtrl+E", 'E', true},
    {TStickerWindow::CmdNew, "&New Note\tCtrl+N", 'N', true},
    {TStickerWindow::CmdCopy, "&Copy Note to Clipboard\tCtrl+C", 'C', true},
    {0, nullptr, 0, false},
    {TStickerWindow::CmdOnTop, "OnTop\tCtrl+T", 'T', true},
    {TStickerWindow::CmdHide, "Hide\tCtrl+H", 'H', true},
    {0, nullptr, 0, false},
    {TStickerWindow::CmdClose, "Close\tF10", VK_F10, false},
};

inline constexpr NotePart kButtons[] = {NotePart::MenuButton, NotePart::CloseButton, NotePart::OnTopButton,
                                 NotePart::HideButton};

inline bool IsButton(NotePart part) {
  return std::find(std::begin(kButtons), std::end(kButtons), part) != std::end(kButtons);
}


}  // namespace wisplet::note_parts
