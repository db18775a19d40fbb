// One copy of the program per logged-on user.
#pragma once

#include <string>

namespace varnett {

// True when another copy holds the named semaphore (the first copy keeps its
// handle open for its whole life). That copy's window, found by its exact
// caption, is then restored when minimised or else brought to the front.
bool IsAlreadyRunning(const std::wstring& window_caption, const std::wstring& semaphore_name);

}  // namespace varnett
