#pragma once
// Whether the user has high contrast on. Windows that paint with colors of
// their own ask it when they paint, and paint again on WM_SETTINGCHANGE
// (SPI_SETHIGHCONTRAST) and WM_SYSCOLORCHANGE.
#include <windows.h>

#include <optional>

namespace wisplet {

bool HighContrastOn();
// Decides it for this process instead of the system (nothing: the system's
// again): for the tests, since Wine cannot switch high contrast on.
void ForceHighContrast(std::optional<bool> on);
// A message that may tell of a change of high contrast or of the system's colors.
bool ContrastMayHaveChanged(UINT msg, WPARAM wParam);

}  // namespace wisplet
