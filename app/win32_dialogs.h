// The boxes commands show: the program's own information and confirmation
// boxes, and the system's plain one.
#pragma once

#include <windows.h>

#include "platform/dialogs.h"

namespace varnett {

class Win32Dialogs : public Dialogs {
 public:
  // Boxes are modal to this window once the main window exists.
  HWND owner = nullptr;

  void Information(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void SystemMessage(const std::string& text, const std::string& title) override;
};

}  // namespace varnett
