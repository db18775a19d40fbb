// CP949 text printed as UTF-8 for staff and scripts. A byte that is not part
// of a valid CP949 character is written as \xHH, so nothing is lost and
// nothing is guessed.
#pragma once

#include <string>
#include <string_view>

namespace varnett {

// For values in tab-separated lines, mostly paths: tab, CR and LF are
// escaped as \t, \r, \n. Backslashes stay single, so a path prints as the
// operator types it; a Windows name never holds the three characters.
std::string EscapedUtf8(std::string_view cp949);

// For messages, on one line: CR and LF as \r and \n, everything else as it is.
std::string OneLineUtf8(std::string_view cp949);

}  // namespace varnett
