// Common Controls 6 for the program's own boxes and wait window only.
// Everything in the main window is drawn by the program, so the system's
// plain control classes serve it. Asking for Common Controls 6 in the
// process manifest would make every start load and set that library up
// before the window could show, so the request sits in a second manifest
// resource, activated while a box or wait window is built: the controls made
// in the scope come from the library (themed buttons, the animation) and
// keep it.
#pragma once

#include <windows.h>

namespace varnett {

class CommonControlsScope {
 public:
  CommonControlsScope();
  ~CommonControlsScope();
  CommonControlsScope(const CommonControlsScope&) = delete;
  CommonControlsScope& operator=(const CommonControlsScope&) = delete;

 private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

// The library as the scope loads it, for functions looked up by name; null
// where it cannot be loaded. It stays loaded: its controls need it as long as
// any of them lives.
HMODULE CommonControlsLibrary();

}  // namespace varnett
