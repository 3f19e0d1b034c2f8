#include "base/dpi.h"

#include <algorithm>

#include "base/win32_handles.h"

namespace wisplet {
namespace {

constexpr int kDefaultDpi = 96;
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI of GetDpiForMonitor

// The functions of newer systems, found once.
struct DpiFunctions {
  UINT(WINAPI* dpiForSystem)() = nullptr;
  UINT(WINAPI* dpiForWindow)(HWND) = nullptr;
  HRESULT(WINAPI* dpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;
  int(WINAPI* metricsForDpi)(int, UINT) = nullptr;
  BOOL(WINAPI* parametersForDpi)(UINT, UINT, PVOID, UINT, UINT) = nullptr;
  BOOL(WINAPI* adjustForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;

  static const DpiFunctions& Get() {
    static const DpiFunctions functions = [] {
      DpiFunctions f;
      auto find = [](HMODULE module, const char* name) {
        return module ? reinterpret_cast<void*>(GetProcAddress(module, name)) : nullptr;
      };
      HMODULE user32 = GetModuleHandleW(L"user32.dll");
      f.dpiForSystem = reinterpret_cast<decltype(f.dpiForSystem)>(find(user32, "GetDpiForSystem"));
      f.dpiForWindow = reinterpret_cast<decltype(f.dpiForWindow)>(find(user32, "GetDpiForWindow"));
      f.metricsForDpi = reinterpret_cast<decltype(f.metricsForDpi)>(find(user32, "GetSystemMetricsForDpi"));
      f.parametersForDpi =
          reinterpret_cast<decltype(f.parametersForDpi)>(find(user32, "SystemParametersInfoForDpi"));
      f.adjustForDpi = reinterpret_cast<decltype(f.adjustForDpi)>(find(user32, "AdjustWindowRectExForDpi"));
      // Loaded from the system folder only; it stays loaded for the run.
      HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, 0x00000800 /* LOAD_LIBRARY_SEARCH_SYSTEM32 */);
      f.dpiForMonitor = reinterpret_cast<decltype(f.dpiForMonitor)>(find(shcore, "GetDpiForMonitor"));
      return f;
    }();
    return functions;
  }
};

int Usable(UINT dpi) { return dpi > 0 ? static_cast<int>(dpi) : kDefaultDpi; }

int MonitorDpi(HMONITOR monitor) {
  UINT x = 0, y = 0;
  const auto& f = DpiFunctions::Get();
  if (monitor && f.dpiForMonitor && SUCCEEDED(f.dpiForMonitor(monitor, kEffectiveDpi, &x, &y))) return Usable(y);
  return SystemDpi();
}

}  // namespace

int SystemDpi() {
  const auto& f = DpiFunctions::Get();
  if (f.dpiForSystem) return Usable(f.dpiForSystem());
  const WindowDc screen;
  const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : kDefaultDpi;
  return dpi > 0 ? dpi : kDefaultDpi;
}

int WindowDpi(HWND window) {
  const auto& f = DpiFunctions::Get();
  if (window && f.dpiForWindow) return Usable(f.dpiForWindow(window));
  return window ? MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)) : SystemDpi();
}

int DpiOfRect(const RECT& r) { return MonitorDpi(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST)); }

int DpiOfPoint(POINT p) { return MonitorDpi(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST)); }

int SystemMetricForDpi(int index, int dpi) {
  const auto& f = DpiFunctions::Get();
  if (f.metricsForDpi) return f.metricsForDpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

NONCLIENTMETRICSW NonClientMetricsForDpi(int dpi) {
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  const auto& f = DpiFunctions::Get();
  if (f.parametersForDpi && f.parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0, static_cast<UINT>(dpi)))
    return ncm;
  ncm = NONCLIENTMETRICSW{};
  ncm.cbSize = sizeof ncm;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
  const int system = SystemDpi();
  if (dpi != system)
    for (LOGFONTW* font : {&ncm.lfCaptionFont, &ncm.lfSmCaptionFont, &ncm.lfMenuFont, &ncm.lfStatusFont,
                           &ncm.lfMessageFont})
      font->lfHeight = MulDiv(font->lfHeight, dpi, system);
  return ncm;
}

void AdjustWindowRectForDpi(RECT& r, DWORD style, DWORD exStyle, int dpi) {
  const auto& f = DpiFunctions::Get();
  if (!f.adjustForDpi || !f.adjustForDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
}

HFONT CreateUiFont(int dpi, bool bold, bool underline) {
  return CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline ? TRUE : FALSE,
                     FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, dpi > kDefaultDpi ? L"Microsoft Sans Serif" : L"MS Sans Serif");
}

int NewDpiOf(WPARAM wParam) { return Usable(HIWORD(wParam)); }

void MoveToSuggestedRect(HWND window, LPARAM lParam) {
  if (const auto* r = reinterpret_cast<const RECT*>(lParam))
    SetWindowPos(window, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT RescaledBounds(const RECT& b, int from, int to) {
  from = std::max(from, 1);
  return RECT{b.left, b.top, b.left + MulDiv(b.right - b.left, to, from), b.top + MulDiv(b.bottom - b.top, to, from)};
}

}  // namespace wisplet
