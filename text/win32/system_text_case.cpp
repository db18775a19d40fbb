#include "text/win32/system_text_case.h"

#include <windows.h>

#include "text/cp949.h"
#include "text/cp949_encoder.h"

namespace varnett {

// Character by character, so that a byte sequence the code page cannot
// represent, or a letter whose upper case it cannot, stays as it is and never
// moves the bytes after it.
std::string Win32TextCase::UpperCase(const std::string& cp949) {
  std::string upper = cp949;
  for (size_t i = 0; i < cp949.size(); i += CharacterSize(cp949, i)) {
    const std::string_view character = std::string_view(cp949).substr(i, CharacterSize(cp949, i));
    wchar_t unit = UnitOfCp949Character(character);
    if (unit == 0) continue;
    CharUpperBuffW(&unit, 1);
    const uint16_t code = Cp949CodeOf(unit);
    std::string converted;
    if (code > 0xFF) converted += static_cast<char>(code >> 8);
    converted += static_cast<char>(code & 0xFF);
    if (converted.size() == character.size() && UnitOfCp949Character(converted) == unit)
      upper.replace(i, character.size(), converted);
  }
  return upper;
}

}  // namespace varnett
