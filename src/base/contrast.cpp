#include "base/contrast.h"

namespace wisplet {
namespace {

std::optional<bool>& Forced() {
  static std::optional<bool> forced;
  return forced;
}

}  // namespace

bool HighContrastOn() {
  if (Forced()) return *Forced();
  HIGHCONTRASTW hc{};
  hc.cbSize = sizeof hc;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
}

void ForceHighContrast(std::optional<bool> on) { Forced() = on; }

bool ContrastMayHaveChanged(UINT msg, WPARAM wParam) {
  return msg == WM_SYSCOLORCHANGE || (msg == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST);
}

}  // namespace wisplet
