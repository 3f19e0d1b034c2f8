#pragma once
// The About window.
#include "app/window.h"

namespace wisplet {

class TFormAbout : public Window {
 public:
  TFormAbout();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace wisplet
