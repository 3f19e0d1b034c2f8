#pragma once
// The About window.
#include "base/window.h"

namespace wisplet {

class TFormAbout : public Window {
 public:
  TFormAbout();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace wisplet
