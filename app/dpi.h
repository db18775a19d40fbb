// Dots per inch of a window, and the program's designed sizes scaled to it.
// Every position, size and font height is designed at 96 DPI and multiplied
// by dpi / 96 on the way to the screen, so the program is drawn sharp at any
// scale (the manifest declares it DPI aware: nothing stretches its bitmaps).
#pragma once

#include <windows.h>

namespace varnett {

constexpr int kDesignDpi = 96;

// The DPI the window is shown at: its monitor's where the system scales per
// monitor (Windows 10 1607 and later), else the system's.
int WindowDpi(HWND window);
// The system's DPI, for windows that do not exist yet.
int SystemDpi();

// A designed length at `dpi`, rounded to the nearest pixel.
inline int Scale(int designed, int dpi) { return MulDiv(designed, dpi, kDesignDpi); }
inline RECT Scale(const RECT& designed, int dpi) {
  return RECT{Scale(designed.left, dpi), Scale(designed.top, dpi), Scale(designed.right, dpi),
              Scale(designed.bottom, dpi)};
}

}  // namespace varnett
