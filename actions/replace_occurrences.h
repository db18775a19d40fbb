// Text replacement with a Boyer-Moore-Horspool search.
#pragma once

#include <string>

#include "text/text_case.h"

namespace varnett {

// Replaces every occurrence of `find` in `source`, left to right; matches
// never overlap and replaced text is not searched again. Without
// `case_sensitive` both sides are compared through `upper`
// (BuildUpperCaseMap of text/text_case.h). An empty `find`
// leaves the source as it is.
std::string ReplaceOccurrences(const std::string& source, const std::string& find,
                               const std::string& replacement, bool case_sensitive,
                               const UpperCaseMap& upper);

}  // namespace varnett
