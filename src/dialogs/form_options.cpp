#include "dialogs/form_options.h"

namespace wisplet {

TFormOptions::TFormOptions() {
  RegisterWindowClass("TFormOptions", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  Create("TFormOptions", WS_EX_APPWINDOW, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, CW_USEDEFAULT,
         CW_USEDEFAULT, 556, 430, nullptr);
}

}  // namespace wisplet
