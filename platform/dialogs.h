// What commands show the user: message boxes and the wait window.
#pragma once

#include <string>

namespace varnett {

struct Dialogs {
  virtual ~Dialogs() = default;

  // The framework's information box: title "Information", one "OK" button.
  virtual void Information(const std::string& text) = 0;
  // The framework's confirmation box: title "Confirm", "&Yes" and "&No".
  // True only for Yes.
  virtual bool Confirm(const std::string& text) = 0;
  // A plain system box with one OK button (used by the archive reader).
  virtual void SystemMessage(const std::string& text, const std::string& title) = 0;
};

}  // namespace varnett
