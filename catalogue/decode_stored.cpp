#include "catalogue/decoders.h"

namespace varnett {

void CopyStored(MemberIO& io) {
  while (io.UnloadedInput() > 0) {
    size_t got = 0;
    io.ReadRaw(io.out_buffer(), &got);  // raises when a single-part file ends early
    io.SetOutputCount(got);
    io.FlushOutput();
  }
}

}  // namespace varnett
