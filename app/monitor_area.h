// The monitor a window is on, as the place to centre something over: the
// windows that belong to the main window show on its monitor, which need not
// be the primary one.
#pragma once

#include <windows.h>

#include "app/centring.h"

namespace varnett {

enum class MonitorArea {
  kWhole,  // the whole monitor
  kWork,   // without the taskbar and docked bars
};

// The area of the monitor that `window` is on, or nearest to; of the primary
// monitor for no window.
ScreenRect MonitorOf(HWND window, MonitorArea area);

}  // namespace varnett
