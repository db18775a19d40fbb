// Turns a standard ZIP file into a catalogue archive by giving its three
// classic records the catalogue's signatures. The structure is walked (end
// record, each central header, the local header it names), so signature-like
// bytes inside compressed data are never touched.
#pragma once

#include <string>

namespace varnett {

// False (and `zip` unchanged) when the file is not a well-formed ZIP file.
bool RewriteSignatures(std::string* zip);

}  // namespace varnett
