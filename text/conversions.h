// Text conversions at the edge of the program. Inside, every string is CP949
// bytes; the operating system and the catalogue speak UTF-16 and UTF-8.
// Characters that the target cannot represent become "?".
#pragma once

#include <string>
#include <string_view>

#include "text/utf8.h"

namespace varnett {

// Implemented per build: by the system's code page 949 tables on Windows
// (text/win32/) and by iconv's CP949 tables natively (text/posix/). Both must
// give the same bytes.
std::u16string Cp949ToUtf16(std::string_view cp949);
std::string Utf16ToCp949(std::u16string_view utf16);

// UTF-8 by text/utf8.h, the same code in both builds.
inline std::string Utf8ToCp949(std::string_view utf8) { return Utf16ToCp949(Utf8ToUtf16(utf8)); }
inline std::string Cp949ToUtf8(std::string_view cp949) { return Utf16ToUtf8(Cp949ToUtf16(cp949)); }

// Literal Korean texts are written in the source as UTF-8 and held as CP949.
inline std::string Ko(std::string_view utf8) { return Utf8ToCp949(utf8); }

}  // namespace varnett
