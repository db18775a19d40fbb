// Integers given on the command line, in the framework's text form: leading
// spaces (a tab is not one), an optional sign, then decimal digits, or
// hexadecimal digits after "$" or "0x". Nothing may follow, and the value must
// fit 32 bits; hexadecimal may spell the whole 32-bit pattern.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace varnett {

std::optional<int> ParseInteger(const std::string& text);

// Throws with "'TEXT' is not a valid integer value" when `text` is no integer.
int StrToInt(const std::string& text);

}  // namespace varnett
