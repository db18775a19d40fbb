#include "actions/cooperative_delay.h"

#include <cstdint>

namespace varnett {

void CooperativeDelay(WaitClock& clock, double seconds) {
  double target = seconds * 10;
  if (!(target >= 0)) target = 0;  // NaN would never be reached
  const uint32_t start = clock.TickCount();
  uint32_t previous = 0;
  double changes = 0;
  bool done = false;
  while (!done) {
    const uint32_t bucket = (clock.TickCount() - start) / 100;
    if (bucket != previous) {
      changes += 1;
      if (changes >= target) done = true;
    }
    clock.ProcessMessages();
    clock.Sleep(1);
    previous = bucket;
  }
}

void WaitSeconds(WaitClock& clock, int count) {
  for (int i = 0; i < count; ++i) {
    CooperativeDelay(clock, 1.0);
    clock.ProcessMessages();
  }
}

}  // namespace varnett
