// The folder and extension parts of a Windows path held as CP949 bytes. The
// scan walks the text character by character, so the second byte of a
// double-byte character is never taken for a "\", ":" or ".".
#pragma once

#include <string>
#include <string_view>

namespace varnett {

// A byte that starts a double-byte character in code page 949.
inline bool IsCp949LeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// The text from the last "." that follows the last "\" or ":"; empty when
// there is no such ".".
std::string ExtractFileExt(std::string_view path);

// Everything up to and including the last "\" or ":"; empty when the path
// has neither.
std::string ExtractFilePath(std::string_view path);

// True for a path that starts neither at a drive ("X:") nor at a root ("\\"),
// so the system would look for it in whatever folder is current.
bool IsRelativeToCurrentFolder(std::string_view path);

}  // namespace varnett
