#include "text/win32/system_error_text.h"

#include <windows.h>

#include <vector>

namespace varnett {

std::u16string SystemErrorText(unsigned long code) {
  // A system text is a sentence or two: into a buffer of ours, far longer
  // than any, so nothing of the system's is left to free.
  std::vector<wchar_t> text(16 * 1024);
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           code, 0, text.data(), DWORD(text.size()), nullptr);
  std::u16string message(reinterpret_cast<const char16_t*>(text.data()), n);
  while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r' ||
                              message.back() == u' ' || message.back() == u'.'))
    message.pop_back();
  return message;
}

}  // namespace varnett
