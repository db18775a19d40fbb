// Unshrinks each input with our decoder and holds the bytes against readings
// we did not share code with. The options byte (see decoder_harness.h) picks:
//  - bit 0 clear: the input is a compressed stream. The plain reference
//    unshrinker must give the same bytes, and ours must stop where it stops.
//    Info-ZIP's unzip is not asked here: it reads clears of a table with free
//    codes left its own way, and arbitrary streams also part from it after
//    full-table clears in ways not yet understood (one such input is kept in
//    fuzz/findings/unshrink_unzip_differs.bin for that study).
//  - bit 0 set: the input seeds data for the test shrinker, grown to up to
//    64 KB by bits 1-2 so that the table fills, with a partial clear when it
//    is full or also every few codes (bits 3-7). Ours must give the data
//    back, and unzip too when clears come only on full tables. Unzip may
//    still refuse such a stream as invalid once it holds a clear, although
//    ours and the reference both read it back (kept in
//    fuzz/findings/unshrink_unzip_rejects_full_table_clears.bin): a refusal
//    is let pass there, but whatever unzip does give must be the data.
#include <cstdlib>

#include "catalogue/crc32.h"
#include "catalogue/decoders.h"
#include "fuzz/decoder_harness.h"
#include "fuzz/unshrink_reference.h"
#include "tests/support/unzip_oracle.h"
#include "tools/writer/archive_writer.h"
#include "tools/writer/shrink_encoder.h"

namespace varnett {
namespace {

void Unshrinks(MemberIO& io) { Unshrink(io); }

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "unshrink disagreement: %s\n", what);
    std::abort();
  }
}

// Info-ZIP's reading of `packed` as a member of `data`; with `may_refuse`,
// a refusal passes when the bytes before it are the data's.
void CheckUnzip(const std::string& data, const std::string& packed, bool may_refuse) {
  ArchiveMember m;
  m.name = "Game.dat";
  m.data = data;
  m.method = 1;
  m.compressed = packed;
  ArchiveOptions options;
  options.standard_signatures = true;
  const UnzipResult unzip = UnzipPrint(WriteArchive({m}, options));
  Check(unzip.ran, "unzip could not be started");
  if (may_refuse && unzip.status != 0) {
    Check(data.compare(0, unzip.output.size(), unzip.output) == 0,
          "unzip decodes other bytes before it refuses the stream");
    return;
  }
  Check(unzip.status == 0 && unzip.output == data, "unzip decodes other bytes");
}

void RawStream(const uint8_t* data, size_t size, uint64_t claim) {
  const std::string ours = DecodeBytes(data, size, claim, Unshrinks);
  // Up to a chunk past the claim, to see whether ours had to stop there.
  const ReferenceUnshrink ref = RunReferenceUnshrink(data, size, claim + MemberIO::kBufferSize);
  Check(ref.output.compare(0, ours.size(), ours) == 0, "not a prefix of the reference's bytes");
  if (ref.output.size() <= claim) Check(ours == ref.output, "the reference gives more bytes");
}

void RoundTrip(const uint8_t* seed, size_t size, uint8_t options) {
  if (size == 0) return;
  static const size_t kGrown[] = {0, 4096, 16384, 65536};
  const size_t length = std::max(size, kGrown[(options >> 1) & 3]);
  std::string data(length, '\0');
  // Each pass over the seed shifted by its number: long strings seldom recur.
  for (size_t i = 0; i < length; ++i) data[i] = char(seed[i % size] + 7 * (i / size));
  ShrinkOptions shrink;
  shrink.clear_every = (options >> 3) * 3;
  int clears = 0;
  const std::string packed = Shrink(data, shrink, &clears);
  const auto* p = reinterpret_cast<const uint8_t*>(packed.data());
  Check(DecodeBytes(p, packed.size(), data.size(), Unshrinks) == data,
        "ours misreads the shrinker");
  if (shrink.clear_every == 0) CheckUnzip(data, packed, clears > 0);
}

}  // namespace
}  // namespace varnett

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const uint64_t claim = (uint64_t(data[0]) | (uint64_t(data[1]) << 8)) * 16;
  const uint8_t options = data[2];
  if (options & 1) {
    varnett::RoundTrip(data + 3, size - 3, options);
  } else {
    varnett::RawStream(data + 3, size - 3, claim);
  }
  return 0;
}
