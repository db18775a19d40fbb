#include "app/win32_dialogs.h"

#include "app/message_box.h"
#include "text/win32/wide.h"

namespace varnett {

void Win32Dialogs::Information(const std::string& text) {
  ShowMessageBox(owner_, Wide(text), L"Information", BoxKind::kInformation);
}

bool Win32Dialogs::Confirm(const std::string& text) {
  return ShowMessageBox(owner_, Wide(text), L"Confirm", BoxKind::kConfirmation) == IDYES;
}

void Win32Dialogs::SystemMessage(const std::string& text, const std::string& title) {
  MessageBoxW(owner_, Wide(text).c_str(), Wide(title).c_str(), MB_OK);
}

}  // namespace varnett
