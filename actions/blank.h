#pragma once

#include <string>

namespace varnett {

// Blank: nothing left after removing leading and trailing codes 0 to 32.
inline bool IsBlank(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) > 32) return false;
  return true;
}

}  // namespace varnett
