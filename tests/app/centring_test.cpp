#include "app/centring.h"

#include <gtest/gtest.h>

namespace varnett {
namespace {

// The wait window (374 x 79 at 96 DPI, 561 x 119 at 150 %) over the monitor
// of the main window, wherever that monitor lies in the virtual screen.
TEST(CentredIn, CentresOverTheGivenMonitor) {
  struct Case {
    const char* monitor;
    ScreenRect area;
    int width, height;
    ScreenPoint expected;
  };
  const Case cases[] = {
      {"primary", {0, 0, 1920, 1080}, 374, 79, {773, 500}},
      {"right of the primary", {1920, 0, 4480, 1440}, 374, 79, {3013, 680}},
      {"left of and above the primary", {-1280, -200, 0, 824}, 561, 119, {-921, 252}},
      {"above the primary", {0, -1080, 1920, 0}, 561, 119, {679, -600}},
      {"work area below a top taskbar", {0, 40, 1280, 1024}, 374, 79, {453, 492}},
      {"smaller than the window", {100, 100, 400, 150}, 561, 119, {-30, 66}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.monitor);
    ScreenPoint at = CentredIn(c.area, c.width, c.height);
    EXPECT_EQ(at.x, c.expected.x);
    EXPECT_EQ(at.y, c.expected.y);
  }
}

}  // namespace
}  // namespace varnett
