// The system's letter case rules for CP949 text.
#pragma once

#include <array>
#include <string>

namespace varnett {

struct TextCase {
  virtual ~TextCase() = default;
  // The text upper-cased by the system's rules. The result has the same
  // length: a character whose upper case would not fit its bytes, or that the
  // code page cannot represent, stays as it is.
  virtual std::string UpperCase(const std::string& cp949) = 0;
};

// Byte value -> its upper case, by the system's rules for the whole table of
// 256 bytes taken as one CP949 text. Build it once, when the program starts.
using UpperCaseMap = std::array<unsigned char, 256>;
UpperCaseMap BuildUpperCaseMap(TextCase& text_case);

}  // namespace varnett
