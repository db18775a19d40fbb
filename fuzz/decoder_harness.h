// Runs one legacy decoder over fuzz input: two bytes of recorded
// uncompressed size (little-endian, in 16-byte units), one byte of options
// for the decoder, then the compressed bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "catalogue/errors.h"
#include "catalogue/member_io.h"
#include "tests/support/member_buffers.h"

namespace varnett {

template <typename Decode>
int RunDecoder(const uint8_t* data, size_t size, Decode decode) {
  if (size < 3) return 0;
  const uint64_t uncompressed = (uint64_t(data[0]) | (uint64_t(data[1]) << 8)) * 16;
  const uint8_t options = data[2];
  BufferInput input(data + 3, size - 3);
  DiscardOutput output;
  std::vector<uint8_t> in(MemberIO::kBufferSize), out(MemberIO::kBufferSize);
  MemberIO io(input, output, in.data(), out.data(), size - 3, uncompressed, true);
  try {
    decode(io, options);
  } catch (const CatalogueError&) {
  }
  return 0;
}

}  // namespace varnett
