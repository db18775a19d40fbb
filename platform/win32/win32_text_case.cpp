#include "platform/win32/win32_text_case.h"

#include <windows.h>

#include "platform/text.h"
#include "text/cp949.h"

namespace varnett {

// Character by character, so that a byte sequence the code page cannot
// represent, or a letter whose upper case it cannot, stays as it is and never
// moves the bytes after it.
std::string Win32TextCase::UpperCase(const std::string& cp949) {
  std::string upper = cp949;
  for (size_t i = 0; i < cp949.size();) {
    size_t n = CharacterSize(cp949, i);
    std::string character = cp949.substr(i, n);
    std::u16string wide = Cp949ToUtf16(character);
    if (wide.size() == 1 && Utf16ToCp949(wide) == character) {
      CharUpperBuffW(reinterpret_cast<wchar_t*>(wide.data()), 1);
      std::string converted = Utf16ToCp949(wide);
      if (converted.size() == n && Cp949ToUtf16(converted) == wide) upper.replace(i, n, converted);
    }
    i += n;
  }
  return upper;
}

}  // namespace varnett
