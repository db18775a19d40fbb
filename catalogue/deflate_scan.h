// A walk over a raw deflate stream that decodes every code but writes
// nothing, to tell whether zlib's inflate would take the stream whole.
// libdeflate, which the whole-member decoding uses, takes a few streams that
// zlib refuses: more than 286 length or 30 distance codes, code-length
// repeats that run past the lengths, incomplete codes of one symbol read by
// their unused codeword, an empty distance code that is used, and the
// reserved symbols 286, 287, 30 and 31 of the fixed codes. The exact decoder
// (zlib) raises "error" on those, so the whole-member decoding must not
// accept them. Runs beside libdeflate on the second core.
#pragma once

#include <cstddef>
#include <cstdint>

namespace varnett {

// True when the stream at `in` ends within `size` bytes, makes at most
// `most` bytes, and uses nothing zlib refuses. A false answer may be over
// cautious (some codes zlib takes, such as a lone length-1 code, are refused
// here too); it only sends the member to the exact decoder.
bool DeflateStreamIsStrict(const uint8_t* in, size_t size, uint64_t most);

}  // namespace varnett
