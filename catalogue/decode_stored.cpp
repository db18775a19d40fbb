// Method 0, storing: the member's data is the member itself, byte for byte;
// its compressed size is its size. It is copied through in whole buffers,
// past the bit channel the other decoders share.
#include "catalogue/decoders.h"

namespace varnett {

void CopyStored(MemberIO& io) {
  while (io.UnloadedInput() > 0) {
    size_t got = 0;
    // Raises when a single-part file ends early. Past the recorded size only
    // the first byte is copied: the flush refuses it, the rest is not read.
    io.ReadRaw(io.out_buffer(), &got, io.ChunkLimit());
    io.SetOutputCount(got);
    io.FlushOutput();
  }
}

}  // namespace varnett
