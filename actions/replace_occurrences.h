// Text replacement with a Boyer-Moore-Horspool search.
#pragma once

#include <array>
#include <string>

#include "platform/text_case.h"

namespace varnett {

// Byte value -> its upper case, by the system's rules for the whole table of
// 256 bytes taken as one CP949 text. Build it once, when the program starts.
using UpperCaseMap = std::array<unsigned char, 256>;
UpperCaseMap BuildUpperCaseMap(TextCase& text_case);

// Replaces every occurrence of `find` in `source`, left to right; matches
// never overlap and replaced text is not searched again. Without
// `case_sensitive` both sides are compared through `upper`. An empty `find`
// leaves the source as it is.
std::string ReplaceOccurrences(const std::string& source, const std::string& find,
                               const std::string& replacement, bool case_sensitive,
                               const UpperCaseMap& upper);

}  // namespace varnett
