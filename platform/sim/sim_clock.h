// A fake clock: time moves only when the code under test sleeps or when a
// test advances it. Message processing runs whatever the test queued.
#pragma once

#include <cstdio>
#include <deque>
#include <functional>
#include <string>

#include "platform/clock.h"

namespace varnett {

class SimClock : public Clock {
 public:
  LocalDate today{2008, 3, 7};
  int hour = 15, minute = 4, second = 5;
  uint32_t ticks = 0;
  int sleeps = 0;          // number of Sleep calls
  int message_passes = 0;  // number of ProcessMessages calls
  // Handlers run by the next ProcessMessages calls, one per call, in order.
  std::deque<std::function<void()>> pending_messages;

  void Advance(uint32_t milliseconds) { ticks += milliseconds; }

  LocalDate Today() override { return today; }
  std::string ShortDateText() override {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", today.year, today.month, today.day);
    return text;
  }
  std::string LongTimeText() override {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
    return text;
  }
  uint32_t TickCount() override { return ticks; }
  void Sleep(uint32_t milliseconds) override {
    ++sleeps;
    ticks += milliseconds;
  }
  void ProcessMessages() override {
    ++message_passes;
    if (pending_messages.empty()) return;
    auto handler = std::move(pending_messages.front());
    pending_messages.pop_front();
    handler();
  }
};

}  // namespace varnett
