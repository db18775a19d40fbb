#include "app/dpi.h"

#include "app/scoped_gdi.h"
#include "platform/win32/module_function.h"

namespace varnett {

int SystemDpi() {
  // Fixed for the life of the process: the system DPI changes only at sign-in.
  static const int dpi = [] {
    ScopedWindowDc screen(nullptr);
    int value = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : kDesignDpi;
    return value > 0 ? value : kDesignDpi;
  }();
  return dpi;
}

int WindowDpi(HWND window) {
  // GetDpiForWindow arrived with Windows 10 1607; looked up so the program
  // still starts on Windows 7.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window =
      ModuleFunction<GetDpiForWindowFn>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
  if (window && get_dpi_for_window) {
    UINT dpi = get_dpi_for_window(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

}  // namespace varnett
