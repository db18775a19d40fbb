// The CP949 <-> UTF-16 crossing at the Windows API.
#pragma once

#include <string>

#include "text/conversions.h"

namespace varnett {

inline std::wstring Wide(const std::string& cp949) {
  std::u16string u = Cp949ToUtf16(cp949);
  return std::wstring(u.begin(), u.end());
}

inline std::string Narrow(const std::wstring& wide) {
  return Utf16ToCp949(std::u16string(wide.begin(), wide.end()));
}

}  // namespace varnett
