// UTF-16 to CP949 for the table loader, which converts many short texts, and
// for every rule that asks a character's CP949 bytes. The mapping is the
// platform's own Utf16ToCp949, asked once per page of 256 characters and
// remembered (text/lazy_pages.h), so the result is exactly what the platform
// conversion would give for the whole text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnett {

// Appends the CP949 form of `utf16`; each unit CP949 lacks becomes "?", so a
// character beyond the basic plane gives "??", as the system's conversion.
void AppendCp949(std::u16string_view utf16, std::string* out);

// A unit's CP949 bytes: one byte in the low 8 bits (high byte zero), or a
// lead byte in the high 8 bits and a trail byte in the low ones; "?" for a
// unit CP949 lacks, surrogates included.
uint16_t Cp949CodeOf(char16_t unit);

// The one UTF-16 unit that a CP949 character (a single byte, or a lead and a
// trail byte) stands for exactly: it converts to that one unit, which
// converts back to the same bytes. 0 when it does not.
char16_t UnitOfCp949Character(std::string_view character);

// Appends the CP949 form of UTF-8 text as table streams hold it, read by the
// lenient reader of text/utf8.h. False, with `out` as it was, when a
// sequence is malformed or cut off.
bool AppendCp949FromUtf8(std::string_view utf8, std::string* out);

// The first byte the Append functions would write for the text's first
// character; false when there is no first character, or (UTF-8) when its
// sequence is malformed or cut off. Says nothing of the rest of the text.
bool FirstCp949Byte(std::u16string_view utf16, char* first);
bool FirstCp949ByteFromUtf8(std::string_view utf8, char* first);

}  // namespace varnett
