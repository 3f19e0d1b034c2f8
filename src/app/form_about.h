#pragma once
// The About window.
#include "app/window.h"

namespace wisplet {

class TFormAbout : public Window {
 public:
  TFormAbout();
};

}  // namespace wisplet
