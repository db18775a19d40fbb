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
    std::string upper = cp949;
    // By characters: a trail byte may look like an ASCII letter.
    for (size_t i = 0; i < upper.size(); i += CharacterSize(upper, i))
      upper[i] = AsciiUpper(upper[i]);
    return upper;
  }
};

}  // namespace varnett
