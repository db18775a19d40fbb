#include "catalogue/extended_real.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace varnett {

long double DecodeExtended(const unsigned char bytes[kExtendedSize]) {
  uint64_t significand = 0;
  for (int i = 7; i >= 0; --i) significand = (significand << 8) | bytes[i];
  unsigned sign_exponent = bytes[8] | (bytes[9] << 8);
  bool negative = (sign_exponent & 0x8000) != 0;
  int exponent = static_cast<int>(sign_exponent & 0x7FFF);

  long double value;
  if (exponent == 0x7FFF) {
    // The integer bit is ignored: only the fraction tells infinity from NaN.
    value = (significand << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                    : std::numeric_limits<long double>::quiet_NaN();
  } else {
    // Denormals use the exponent of the smallest normal number.
    int unbiased = (exponent == 0 ? 1 : exponent) - 16383 - 63;
    value = std::ldexp(static_cast<long double>(significand), unbiased);
  }
  return negative ? -value : value;
}

bool RoundToInt64(long double value, int64_t* out) {
  if (!std::isfinite(value)) return false;
  long double rounded = std::nearbyint(value);
  // 2^63 is exact in every floating type; the range is [-2^63, 2^63).
  const long double limit = 9223372036854775808.0L;
  if (rounded < -limit || rounded >= limit) return false;
  *out = static_cast<int64_t>(rounded);
  return true;
}

double ToDouble(long double value) {
  if (std::isnan(value)) return std::numeric_limits<double>::quiet_NaN();
  if (value > DBL_MAX) return std::numeric_limits<double>::infinity();
  if (value < -DBL_MAX) return -std::numeric_limits<double>::infinity();
  return static_cast<double>(value);
}

}  // namespace varnett
