// The wait window: a borderless 374 x 79 box centred over the main window's
// monitor, with the shell's folder-search animation (or the program's own
// where the system has none) and a centred, word-wrapped message. It follows
// the scale of the monitor it is on.
#pragma once

#include <windows.h>

#include <map>

#include "platform/wait_windows.h"

namespace varnett {

class Win32WaitWindows : public WaitWindows {
 public:
  // Wait windows are owned by `owner`, the main window, or by none when null.
  explicit Win32WaitWindows(HWND owner) : owner_(owner) {}
  Win32WaitWindows(const Win32WaitWindows&) = delete;
  Win32WaitWindows& operator=(const Win32WaitWindows&) = delete;

  Handle Open(const std::string& text) override;
  void Close(Handle handle) override;

 private:
  HWND owner_;
  Handle last_ = 0;
  std::map<Handle, HWND> windows_;
};

// The wait window created last that still exists (the reference commands
// share); null when there is none.
HWND CurrentWaitWindow();

}  // namespace varnett
