#include "catalogue/decoders.h"
#include "fuzz/decoder_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return varnett::RunDecoder(data, size,
                             [](varnett::MemberIO& io, uint8_t) { varnett::Unshrink(io); });
}
