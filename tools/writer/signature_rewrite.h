// Turns a standard ZIP file into a catalogue archive by giving its three
// classic records the catalogue's signatures. The structure is walked by its
// offsets (end record and comment, zip64 locator and end record, each central
// header, the local header it names, the member's data and its data
// descriptor), so signature-like bytes inside data or comments are never
// touched, and a file whose records do not fit together is refused.
#pragma once

#include <string>

namespace varnett {

// False (and `zip` unchanged) when the file is not a well-formed ZIP file:
// a record missing or not where another names it, a member whose local header
// or data descriptor disagrees with its central header, or bytes left between
// the records.
bool RewriteSignatures(std::string* zip);

}  // namespace varnett
