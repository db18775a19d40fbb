// Time as the program uses it, in two separate needs: the calendar for the
// log's date and time texts, and the tick counter, sleeping and message
// processing for the waits that keep the window alive.
#pragma once

#include <cstdint>
#include <string>

namespace varnett {

struct LocalDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
};

struct Calendar {
  virtual ~Calendar() = default;

  virtual LocalDate Today() = 0;
  // Now, in the user's short date and long time formats (CP949).
  virtual std::string ShortDateText() = 0;
  virtual std::string LongTimeText() = 0;
};

struct WaitClock {
  virtual ~WaitClock() = default;

  // Milliseconds since an arbitrary start; wraps around at 2^32.
  virtual uint32_t TickCount() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
  // Dispatches every window message that is pending, then returns.
  virtual void ProcessMessages() = 0;
};

// Both, as one platform object provides them where everything is wired.
struct Clock : Calendar, WaitClock {};

}  // namespace varnett
