#include "text/system_path.h"

#include "text/conversions.h"

namespace varnett {

bool IsExactSystemPath(std::string_view cp949_path) {
  // A byte search is enough: "?" (0x3F) is never the second byte of a
  // double-byte character.
  if (cp949_path.find('?') != std::string_view::npos) return false;
  return Utf16ToCp949(Cp949ToUtf16(cp949_path)) == cp949_path;
}

}  // namespace varnett
