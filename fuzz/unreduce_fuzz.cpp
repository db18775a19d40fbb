#include "catalogue/decoders.h"
#include "fuzz/decoder_harness.h"

// The options byte picks the compression factor 1 to 4.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return varnett::RunDecoder(data, size, [](varnett::MemberIO& io, uint8_t options) {
    varnett::Unreduce(io, 1 + (options & 3));
  });
}
