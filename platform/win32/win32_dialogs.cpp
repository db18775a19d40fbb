#include "platform/win32/win32_dialogs.h"

#include "platform/win32/wide.h"

namespace varnett {

void Win32Dialogs::Information(const std::string& text) {
  MessageBoxW(owner, Wide(text).c_str(), L"Information", MB_OK | MB_ICONINFORMATION);
}

bool Win32Dialogs::Confirm(const std::string& text) {
  return MessageBoxW(owner, Wide(text).c_str(), L"Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void Win32Dialogs::SystemMessage(const std::string& text, const std::string& title) {
  MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(), MB_OK);
}

}  // namespace varnett
