// UTF-8 <-> UTF-16 without the operating system, so both builds agree byte
// for byte. Two readers of UTF-8: the strict one for text from anywhere, and
// the lenient one for the UTF-8 that table streams hold.
#pragma once

#include <string>
#include <string_view>

namespace varnett {

// Half of a character beyond the basic plane, in UTF-16: high (first) or low.
constexpr bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
constexpr bool IsSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// Strict: an invalid UTF-8 sequence (overlong, a surrogate, beyond U+10FFFF,
// cut off) becomes U+FFFD, one per maximal invalid subpart; a lone surrogate
// in UTF-16 becomes U+FFFD in UTF-8.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Appends one character of the basic plane or beyond as UTF-8.
void AppendUtf8(char32_t character, std::string* out);

// Lenient, as table streams hold UTF-8: a byte below 0x80 is one character;
// a byte with the top bit set starts a two-byte sequence, or a three-byte one
// when its 0x20 bit is also set, and only the 0x80 to 0xBF range of the
// bytes after it is checked. So an overlong form is read for its value, a
// surrogate's three bytes give that surrogate, and a four-byte sequence is a
// three-byte one followed by a stray byte. Reads the character at `p`: its
// UTF-16 unit, and where the next one starts; null when the sequence is
// malformed or cut off before `end`.
const unsigned char* NextLenientUtf8Unit(const unsigned char* p, const unsigned char* end,
                                         char16_t* unit);

}  // namespace varnett
