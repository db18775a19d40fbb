// CP949 by the system's code page 949, named explicitly so the program
// behaves the same whatever the machine's ANSI code page is.
#include <windows.h>

#include "text/conversions.h"

namespace varnett {

namespace {
constexpr UINT kCodePage = 949;
}

std::u16string Cp949ToUtf16(std::string_view cp949) {
  if (cp949.empty()) return {};
  int n =
      MultiByteToWideChar(kCodePage, 0, cp949.data(), static_cast<int>(cp949.size()), nullptr, 0);
  std::u16string out(n, u'\0');
  MultiByteToWideChar(kCodePage, 0, cp949.data(), static_cast<int>(cp949.size()),
                      reinterpret_cast<wchar_t*>(out.data()), n);
  return out;
}

std::string Utf16ToCp949(std::u16string_view utf16) {
  if (utf16.empty()) return {};
  const wchar_t* src = reinterpret_cast<const wchar_t*>(utf16.data());
  int len = static_cast<int>(utf16.size());
  int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, src, len, nullptr, 0, "?", nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, src, len, out.data(), n, "?", nullptr);
  return out;
}

}  // namespace varnett
