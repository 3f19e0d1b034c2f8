#include "app/form_about.h"

namespace wisplet {

TFormAbout::TFormAbout() {
  RegisterWindowClass("TFormAbout", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  Create("TFormAbout", 0, WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 352, 258, nullptr);
}

}  // namespace wisplet
