// The working values of one edition search: folder candidates F1 to F4 and
// registry-key candidates K1 to K4, all empty when the search starts.
#pragma once

#include <string>

namespace varnett {

struct Candidates {
  std::string F1, F2, F3, F4;
  std::string K1, K2, K3, K4;
};

inline bool operator==(const Candidates& a, const Candidates& b) {
  return a.F1 == b.F1 && a.F2 == b.F2 && a.F3 == b.F3 && a.F4 == b.F4 && a.K1 == b.K1 &&
         a.K2 == b.K2 && a.K3 == b.K3 && a.K4 == b.K4;
}

}  // namespace varnett
