#pragma once

#include "platform/clock.h"

namespace varnett {

class Win32Clock : public Clock {
 public:
  LocalDate Today() override;
  std::string ShortDateText() override;
  std::string LongTimeText() override;
  uint32_t TickCount() override;
  void Sleep(uint32_t milliseconds) override;
  void ProcessMessages() override;
};

}  // namespace varnett
