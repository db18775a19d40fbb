// CP949 text as the program holds it: bytes, where a byte from 0x81 to 0xFE
// starts a double-byte character whose second byte may have the value of an
// ASCII "\", ":" or letter. Every scan that looks for such a character steps
// over whole characters; the rules that look at bytes say so.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnett {

constexpr bool IsCp949LeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
// The bytes that may follow a lead byte in an assigned character. The scans
// below do not ask: any byte after a lead byte belongs to its character.
constexpr bool IsCp949TrailByte(unsigned char byte) {
  return (byte >= 0x41 && byte <= 0x5A) || (byte >= 0x61 && byte <= 0x7A) ||
         (byte >= 0x81 && byte <= 0xFE);
}

// The number of bytes of the character starting at `at`: 2 for a lead byte
// with a byte after it, otherwise 1 (a lead byte cut off at the end stands
// alone).
inline size_t CharacterSize(std::string_view text, size_t at) {
  return IsCp949LeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// True when the last byte is a character of its own, not the second byte of
// a double-byte character. False for an empty text.
bool EndsInSingleByte(std::string_view text);

// Blank: nothing left after removing leading and trailing bytes with codes 0
// to 32. Values are only tested this way; they are always used untrimmed.
bool IsBlank(std::string_view text);

// ASCII letters only, by characters: the callers compare names that are
// ASCII in practice and must not depend on the system's code page, and a
// trail byte that looks like a letter is part of another character.
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
std::string AsciiUpperCase(std::string_view text);
bool SameTextIgnoringAsciiCase(std::string_view a, std::string_view b);

// Windows path parts, by characters.
// Position just after the last "\" or ":"; 0 when the path has neither.
size_t FileNameStart(std::string_view path);
// Everything up to and including the last "\" or ":"; empty when none.
std::string ExtractFilePath(std::string_view path);
// The text from the last "." that follows the last "\" or ":"; empty when
// there is no such ".".
std::string ExtractFileExt(std::string_view path);
// True for a path that starts neither at a drive ("X:") nor at a root ("\"),
// so the system would look for it in whatever folder is current.
bool IsRelativeToCurrentFolder(std::string_view path);

}  // namespace varnett
