// Explodes each input with our decoder; when ours gives all the bytes the
// header claims, Info-ZIP's unzip reads the same data as a member recorded
// with the size and CRC-32 of our bytes, and where it too reads it to the end without
// calling it damaged, the bytes must be the same (where it reports only a bad
// CRC-32, the bytes both produced must be the same). Inputs unzip calls damaged
// (its trees are stricter, and it checks that every compressed byte is used)
// are not compared.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "catalogue/decoders.h"
#include "fuzz/decoder_harness.h"
#include "tests/support/unzip_oracle.h"
#include "tools/writer/archive_writer.h"

// The options byte is the general purpose flags: bit 1 the 8 KB window, bit 2
// the literal tree.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace varnett;
  if (size < 3) return 0;
  const uint64_t claim = (uint64_t(data[0]) | (uint64_t(data[1]) << 8)) * 16;
  const uint16_t flags = data[2] & 6;
  const std::string ours =
      DecodeBytes(data + 3, size - 3, claim, [flags](MemberIO& io) { Explode(io, flags); });
  if (claim == 0 || ours.size() != claim) return 0;
  ArchiveMember m;
  m.name = "Game.dat";
  m.data = ours;
  m.method = 6;
  m.flags = flags;
  m.compressed = std::string(reinterpret_cast<const char*>(data + 3), size - 3);
  ArchiveOptions options;
  options.standard_signatures = true;
  const UnzipResult unzip = UnzipPrint(WriteArchive({m}, options));
  if (!unzip.ran) {
    std::fprintf(stderr, "unzip could not be started\n");
    std::abort();
  }
  // A clean reading must match whole. A "bad CRC" reading is partial: unzip
  // finishes the last copy even past the recorded size, so only the bytes both
  // produced are compared.
  const size_t common = std::min(unzip.output.size(), ours.size());
  const bool agree = unzip.status == 0 ? unzip.output == ours
                                       : unzip.output.compare(0, common, ours, 0, common) == 0;
  if (unzip.Decoded() && !agree) {
    std::fprintf(stderr, "explode disagreement: unzip gives %zu bytes, ours %zu\n",
                 unzip.output.size(), ours.size());
    std::abort();
  }
  return 0;
}
