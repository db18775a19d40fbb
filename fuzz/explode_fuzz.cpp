#include "catalogue/decoders.h"
#include "fuzz/decoder_harness.h"

// The options byte is the general purpose flags: bit 1 the 8 KB window, bit 2
// the literal tree.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return varnett::RunDecoder(data, size, [](varnett::MemberIO& io, uint8_t options) {
    varnett::Explode(io, options & 6);
  });
}
