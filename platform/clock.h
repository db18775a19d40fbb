// Calendar time, the tick counter and the message pump.
#pragma once

#include <cstdint>
#include <string>

namespace varnett {

struct LocalDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
};

struct Clock {
  virtual ~Clock() = default;

  virtual LocalDate Today() = 0;
  // Now, in the user's short date and long time formats (CP949).
  virtual std::string ShortDateText() = 0;
  virtual std::string LongTimeText() = 0;

  // Milliseconds since an arbitrary start; wraps around at 2^32.
  virtual uint32_t TickCount() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
  // Dispatches every window message that is pending, then returns.
  virtual void ProcessMessages() = 0;
};

}  // namespace varnett
