// The blank rule shared by every value the locator looks at: a value counts
// as blank when nothing but control characters and spaces surround nothing.
// Values are only tested this way; they are always used untrimmed.
#pragma once

#include <string_view>

namespace varnett {

// True when `text` is empty after removing leading and trailing bytes with
// codes 0 to 32.
bool IsBlank(std::string_view text);

}  // namespace varnett
