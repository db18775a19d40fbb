#include "locator/blank.h"

namespace varnett {

bool IsBlank(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) > 32) return false;
  }
  return true;
}

}  // namespace varnett
