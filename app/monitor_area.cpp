#include "app/monitor_area.h"

namespace varnett {

ScreenRect MonitorOf(HWND window, MonitorArea area) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  HMONITOR monitor =
      MonitorFromWindow(window, window ? MONITOR_DEFAULTTONEAREST : MONITOR_DEFAULTTOPRIMARY);
  RECT r;
  if (GetMonitorInfoW(monitor, &info)) {
    r = area == MonitorArea::kWork ? info.rcWork : info.rcMonitor;
  } else if (area == MonitorArea::kWork) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  } else {
    r = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return ScreenRect{r.left, r.top, r.right, r.bottom};
}

}  // namespace varnett
