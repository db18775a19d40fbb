// Registration of the program's window classes.
#pragma once

#include <windows.h>

namespace varnett {

// Registers `cls` (its cbSize is filled in). True when the class can be used:
// registered now, or already by an earlier call; false when the system
// refused it, and then no window of the class can be made.
bool RegisterWindowClass(WNDCLASSEXW cls);

// The program's icon drawn for the small-icon size (shared, never destroyed).
// Given as a class's small icon, it spares the system deriving one from the
// large icon for each class at start, and shows the icon's own small picture.
HICON SmallProgramIcon(HINSTANCE instance);

}  // namespace varnett
