// UTF-16 to CP949 for the table loader, which converts many short texts. The
// mapping is the platform's own Utf16ToCp949, asked once per page of 256
// characters and remembered, so the result is exactly what the platform
// conversion would give for the whole text.
#pragma once

#include <string>
#include <string_view>

namespace varnett {

// Appends the CP949 form of `utf16`; each unit CP949 lacks becomes "?", so a
// character beyond the basic plane gives "??", as the system's conversion.
void AppendCp949(std::u16string_view utf16, std::string* out);

// Appends the CP949 form of UTF-8 text as table streams hold it: a byte below
// 0x80 is one character; a byte with the top bit set starts a two-byte
// sequence, or a three-byte one when its 0x20 bit is also set; each further
// byte must be 0x80 to 0xBF. False, with `out` as it was, when a sequence is
// malformed or cut off.
bool AppendCp949FromUtf8(std::string_view utf8, std::string* out);

// The first byte the Append functions would write for the text's first
// character; false when there is no first character, or (UTF-8) when its
// sequence is malformed or cut off. Says nothing of the rest of the text.
bool FirstCp949Byte(std::u16string_view utf16, char* first);
bool FirstCp949ByteFromUtf8(std::string_view utf8, char* first);

}  // namespace varnett
