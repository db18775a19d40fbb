// Upper-casing by the ASCII rule only (the system also upper-cases some
// double-byte letters). Trail bytes stay as they are. Counts its calls.
#pragma once

#include <string>

#include "text/cp949.h"
#include "text/text_case.h"

namespace varnett {

class SimTextCase : public TextCase {
 public:
  int calls = 0;

  std::string UpperCase(const std::string& cp949) override {
    ++calls;
    return AsciiUpperCase(cp949);
  }
};

}  // namespace varnett
