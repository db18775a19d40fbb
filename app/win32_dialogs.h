// The boxes commands show: the program's own information and confirmation
// boxes, and the system's plain one.
#pragma once

#include <windows.h>

#include "platform/dialogs.h"

namespace varnett {

class Win32Dialogs : public Dialogs {
 public:
  // Boxes are modal to `owner`, the main window.
  explicit Win32Dialogs(HWND owner) : owner_(owner) {}

  void Information(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void SystemMessage(const std::string& text, const std::string& title) override;

 private:
  HWND owner_;
};

}  // namespace varnett
