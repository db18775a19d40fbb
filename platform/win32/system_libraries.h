// Libraries come from the system folder only. The program's own folder and
// the current folder may be writable by others, and a library of a system
// name put there would otherwise be loaded in place of the system's.
#pragma once

#include <windows.h>

namespace varnett {

// Before anything else at start: every later load, the system's own included,
// searches the system folder alone. False when the system cannot do so.
bool LimitLibrarySearchToSystemFolder();

// Loads a library of the system by name from the system folder. Side-by-side
// redirection still applies, so an activated manifest's version is the one
// loaded (Common Controls 6).
HMODULE LoadSystemLibrary(const wchar_t* name);

}  // namespace varnett
