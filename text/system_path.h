// Whether a path reaches the system as the program holds it.
#pragma once

#include <string_view>

namespace varnett {

// True when a CP949 path gives the system exactly the name it stands for:
// it holds no "?", and it converts to UTF-16 and back unchanged. A "?" is
// what a conversion to CP949 puts for a character the code page lacks (the
// system's own ANSI answers do the same); no real name holds one, and the
// shell reads it as a wildcard, so such a path names other files, or none.
// A byte that is no CP949 character fails the round trip.
bool IsExactSystemPath(std::string_view cp949_path);

}  // namespace varnett
