// Where the build put the running test program.
#pragma once

#include <string>

namespace varnett::support {

// Folder of the running program, which also holds Varnett.exe and, under
// "wintools\", the small Windows programs the tests use.
std::wstring BuildFolder();

}  // namespace varnett::support
