// Registration of the program's window classes.
#pragma once

#include <windows.h>

namespace varnett {

// Registers `cls` (its cbSize is filled in). True when the class can be used:
// registered now, or already by an earlier call; false when the system
// refused it, and then no window of the class can be made.
bool RegisterWindowClass(WNDCLASSEXW cls);

}  // namespace varnett
