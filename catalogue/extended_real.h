// Reals in table streams are 80-bit x87 extended precision values: a 64-bit
// significand with an explicit integer bit, then the sign bit and a 15-bit
// exponent biased by 16383, all little-endian.
#pragma once

#include <cstdint>

namespace varnett {

constexpr int kExtendedSize = 10;

// Exact wherever long double is the 80-bit type (gcc and clang on x86);
// elsewhere rounded to the nearest long double.
long double DecodeExtended(const unsigned char bytes[kExtendedSize]);

// Rounds to the nearest integer, ties to even; false for NaN, infinities and
// values outside the 64-bit range, which no integer field can hold.
bool RoundToInt64(long double value, int64_t* out);

// Narrows to double; magnitudes beyond its range become infinities.
double ToDouble(long double value);

}  // namespace varnett
