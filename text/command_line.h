// One argument of a command line, written so that the started program reads
// it back unchanged.
#pragma once

#include <string>
#include <string_view>

namespace varnett {

// The CP949 text in double quotes, by the rules with which programs split
// their command line into arguments (CommandLineToArgvW, the C runtime): a
// run of "\" is literal unless a '"' follows it, so the run before the
// closing quote is doubled ("C:\Games\" becomes "C:\Games\\"), and a '"' in
// the text is written as \" after its run of "\" is doubled. The second byte
// of a double-byte character is never taken for a "\" or a '"'.
std::string QuotedArgument(std::string_view cp949);

}  // namespace varnett
