#include "dialogs/form_sticker.h"

namespace wisplet {

TFormSticker::TFormSticker() {
  RegisterWindowClass("TFormSticker", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  Create("TFormSticker", WS_EX_APPWINDOW, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, CW_USEDEFAULT,
         CW_USEDEFAULT, 350, 279, nullptr);
}

}  // namespace wisplet
