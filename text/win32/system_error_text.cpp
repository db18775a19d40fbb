#include "text/win32/system_error_text.h"

#include <windows.h>

#include "platform/win32/scoped_handle.h"

namespace varnett {

std::u16string SystemErrorText(unsigned long code) {
  wchar_t* text = nullptr;
  DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  ScopedLocalMemory<wchar_t> owned(text);
  std::u16string message(reinterpret_cast<const char16_t*>(text ? text : L""), text ? n : 0);
  while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r' ||
                              message.back() == u' ' || message.back() == u'.'))
    message.pop_back();
  return message;
}

}  // namespace varnett
