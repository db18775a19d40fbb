// Upper-casing by the ASCII rule only (the system also upper-cases some
// double-byte letters). Trail bytes stay as they are. Counts its calls.
#pragma once

#include <string>

#include "platform/text_case.h"

namespace varnett {

class SimTextCase : public TextCase {
 public:
  int calls = 0;

  std::string UpperCase(const std::string& cp949) override {
    ++calls;
    std::string upper = cp949;
    for (size_t i = 0; i < upper.size(); ++i) {
      unsigned char c = static_cast<unsigned char>(upper[i]);
      if (c >= 0x81 && c <= 0xFE)
        ++i;  // a lead byte: its trail may look like an ASCII letter
      else if (c >= 'a' && c <= 'z')
        upper[i] = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
  }
};

}  // namespace varnett
