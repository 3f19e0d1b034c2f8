#pragma once
// The note editor dialog.
#include "app/window.h"

namespace wisplet {

class TFormSticker : public Window {
 public:
  TFormSticker();
};

}  // namespace wisplet
