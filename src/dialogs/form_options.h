#pragma once
// The options window, which also carries the tray icon and the tray menu.
#include "app/window.h"

namespace wisplet {

class TFormOptions : public Window {
 public:
  TFormOptions();
};

}  // namespace wisplet
