// Waits that keep the user interface alive: window messages are processed
// throughout, so other commands can run nested inside a wait.
#pragma once

#include "platform/clock.h"

namespace varnett {

// Waits until as many boundaries of 100 ms buckets of the tick counter have
// been seen as `seconds` holds tenths, rounded up, and at least one: 0 and
// 0.05 wait for the first boundary, 0.25 for three. One boundary at most is
// seen per pass, so a message handler that blocks for longer than a tenth
// makes the wait longer, never shorter. The counter's wrap-around is harmless.
void CooperativeDelay(WaitClock& clock, double seconds);

// `count` delays of one second, each followed by processing messages once.
// Nothing at all for a count of 0 or less.
void WaitSeconds(WaitClock& clock, int count);

}  // namespace varnett
