// The wait window as the commands see it: a small borderless box with an
// animation and a message, shown while a command prepares a virtual drive.
#pragma once

#include <string>

namespace varnett {

struct WaitWindows {
  using Handle = int;  // 0 is never a valid handle

  virtual ~WaitWindows() = default;
  // Creates a wait window owned by the main window, sets its text, shows it
  // without making it modal and processes pending messages once.
  virtual Handle Open(const std::string& text) = 0;
  // Closes (and frees) exactly the window `handle` names; a handle that is
  // already closed is ignored, so a command never closes another's window.
  virtual void Close(Handle handle) = 0;
};

}  // namespace varnett
