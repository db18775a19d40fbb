// The working values of one edition search: folder candidates F1 to F4 and
// registry-key candidates K1 to K4, all empty when the search starts.
#pragma once

#include <string>

namespace varnett {

struct Candidates {
  std::string F1, F2, F3, F4;
  std::string K1, K2, K3, K4;
};

}  // namespace varnett
