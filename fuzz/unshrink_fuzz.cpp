// Unshrinks each input with our decoder and holds the bytes against readings
// we did not share code with. The options byte (see decoder_harness.h) picks:
//  - bit 0 clear: the input is a compressed stream. The plain reference
//    unshrinker must give the same bytes, and ours must stop where it stops.
//  - bit 0 set: the input seeds data for the test shrinker, grown to up to
//    64 KB by bits 1-2 so that the table fills, with a partial clear when no
//    code is free or also every few codes (bits 3-7). Ours must give the data
//    back.
// Either way Info-ZIP's unzip then reads the same bytes from an archive, and
// where it parts from ours, 7-Zip decides: ours must agree with 7-Zip, and
// unzip is let off only where its partial clear is known to go wrong (the
// reference reports that case). Raw streams are handed over cut to the bytes
// their codes used; unzip reads the spare bits of the last byte as one more
// code, padded with zeros, and may write one byte more than ours. Where ours
// stops on a code it takes for damage, 7-Zip must stop there too.
//
// Kept in fuzz/findings/ (run the target on them after a change):
//  - unshrink_unzip_differs.bin: a raw stream of 480 nine-bit codes with no
//    control codes at all (no clear, no widening), ending 8 bits before the
//    end of the input. unzip made one more byte of those spare bits; the
//    stream now goes over cut to the bytes its codes used.
//  - unshrink_unzip_rejects_full_table_clears.bin: the shrinker's stream of
//    64 KB with a clear each time no code is free. unzip refuses it, ours,
//    the reference and 7-Zip read the data back: a later clear finds codes in
//    use above the last code unzip handed out, the case it is let off in.
//  - unshrink_unzip_marks_prefix_above_its_scan.bin: the shrinker's stream
//    of 64 KB with a clear every 93 codes. After one clear, a code is defined
//    on the freed code just written; at the next clear that orphan names a
//    free slot above the last code handed out as its prefix. unzip marks the
//    slot and, scanning no further, never clears the mark: it later passes
//    over the slot when handing out codes, and from byte 2701 its bytes
//    differ; 7-Zip reads the data back. The reference counts a prefix above
//    that point as a code in use there.
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

// An archive with the standard signatures holding `packed` as the shrunk
// member whose bytes are `data`.
std::string StandardArchive(const std::string& data, const std::string& packed) {
  ArchiveMember m;
  m.name = "Game.dat";
  m.data = data;
  m.method = 1;
  m.compressed = packed;
  ArchiveOptions options;
  options.standard_signatures = true;
  return WriteArchive({m}, options);
}

// `read` is `data`, with room for the one byte unzip makes of spare bits.
bool SameBytes(const std::string& read, const std::string& data, bool spare_byte) {
  if (read.size() == data.size() + 1 && spare_byte) return read.compare(0, data.size(), data) == 0;
  return read == data;
}

// `data` is what `packed` holds, as ours read it; `known` when it is also
// the data the shrinker was given. `ref` is the reference unshrinker's
// reading of `packed`.
void CheckOthers(const std::string& data, const std::string& packed, bool known,
                 const ReferenceUnshrink& ref) {
  const std::string archive = StandardArchive(data, packed);
  const bool excused = ref.clear_above_last_code;
  if (excused && known) return;  // nothing left to decide
  const UnzipResult unzip = UnzipPrint(archive);
  Check(unzip.ran, "unzip could not be started");
  if (unzip.Decoded() && SameBytes(unzip.output, data, true)) return;

  const UnzipResult seven = SevenZipPrint(archive);
  Check(seven.ran, "7zz could not be started");
  Check(seven.status == 0 && seven.output == data, "7-Zip decodes other bytes than ours");
  Check(excused, "unzip parts from ours and 7-Zip outside the case of its partial clear");
}

void RawStream(const uint8_t* data, size_t size, uint64_t claim) {
  const std::string ours = DecodeBytes(data, size, claim, Unshrinks);
  // Up to a chunk past the claim, to see whether ours had to stop there.
  const ReferenceUnshrink ref = RunReferenceUnshrink(data, size, claim + MemberIO::kBufferSize);
  Check(ref.output.compare(0, ours.size(), ours) == 0, "not a prefix of the reference's bytes");
  if (ref.output.size() > claim) return;
  Check(ours == ref.output, "the reference gives more bytes");
  const std::string used(reinterpret_cast<const char*>(data), ref.bytes_used);
  if (ref.clean) {
    CheckOthers(ours, used, false, ref);
    return;
  }
  // Ours stopped on a code in use whose chain is broken: a table misread
  // would show so. unzip reads any code not in use as the code being
  // defined, so 7-Zip alone can say whether the code was legal after all: it
  // must not read on past it. (It reports the short member as damaged, and
  // may hold back the bytes of its last buffer.) Codes not in use and control
  // codes that do not exist are plain damage, not asked: a run of 7-Zip
  // costs more than the rest of the input's checks.
  if (!ref.broken_chain) return;
  const UnzipResult seven = SevenZipPrint(StandardArchive(ours, used));
  Check(seven.ran, "7zz could not be started");
  Check(
      seven.output.size() <= ours.size() && ours.compare(0, seven.output.size(), seven.output) == 0,
      "7-Zip reads on where ours stops");
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
  const std::string packed = Shrink(data, shrink);
  const auto* p = reinterpret_cast<const uint8_t*>(packed.data());
  Check(DecodeBytes(p, packed.size(), data.size(), Unshrinks) == data,
        "ours misreads the shrinker");
  CheckOthers(data, packed, true, RunReferenceUnshrink(p, packed.size(), data.size() + 1));
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
