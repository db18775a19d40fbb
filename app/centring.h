// Where a window goes to sit in the middle of an area of the screen: a
// monitor, the work area of one, or another window. Free of the system's
// types, so the native build checks the arithmetic with monitors anywhere in
// the virtual screen (left of or above the primary one, at negative
// coordinates).
#pragma once

namespace varnett {

struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};
struct ScreenPoint {
  int x = 0, y = 0;
};

// The top-left corner that centres a `width` x `height` window in `area`. A
// window larger than the area overhangs it on both sides alike.
constexpr ScreenPoint CentredIn(const ScreenRect& area, int width, int height) {
  return ScreenPoint{area.left + (area.right - area.left - width) / 2,
                     area.top + (area.bottom - area.top - height) / 2};
}

}  // namespace varnett
