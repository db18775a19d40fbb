// The whole-member decoding against the exact decoder, on one input read two
// ways. As a catalogue archive: "Game.dat" and the first other entry are
// extracted with and without it. As a raw deflate stream: it becomes the
// member of an archive whose recorded size and CRC-32 are those of what
// libdeflate makes of it (so that the whole-member decoding accepts it
// whenever libdeflate does), and again of what zlib makes of it. Every time,
// everything a caller sees must be the same both ways: the count, what is
// raised, the boxes, the target's bytes, size and position.
#include <libdeflate.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "catalogue/crc32.h"
#include "tests/support/two_paths.h"
#include "tools/writer/archive_writer.h"

namespace {

constexpr size_t kMostMade = size_t(1) << 20;

void Compare(const std::string& archive, const std::string& name) {
  const varnett::ExtractionSeen whole = varnett::SeeExtraction(archive, name, true);
  const varnett::ExtractionSeen exact = varnett::SeeExtraction(archive, name, false);
  if (!(whole == exact)) {
    fprintf(stderr, "the two ways differ on \"%s\"\n  with:    %s\n  without: %s\n", name.c_str(),
            whole.Describe().c_str(), exact.Describe().c_str());
    abort();
  }
}

// What libdeflate makes of a raw stream, or nothing when it refuses it.
bool LibdeflateMakes(const uint8_t* data, size_t size, std::string* made) {
  static libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  made->resize(kMostMade);
  size_t out = 0;
  const libdeflate_result r = libdeflate_deflate_decompress_ex(
      d, data, size, made->empty() ? nullptr : &(*made)[0], made->size(), nullptr, &out);
  made->resize(out);
  return r == LIBDEFLATE_SUCCESS;
}

// What zlib makes of it, up to where it stops (the end or an error).
std::string ZlibMakes(const uint8_t* data, size_t size) {
  std::string made(kMostMade, '\0');
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) abort();
  z.next_in = const_cast<Bytef*>(data);
  z.avail_in = uInt(size);
  z.next_out = reinterpret_cast<Bytef*>(&made[0]);
  z.avail_out = uInt(made.size());
  inflate(&z, Z_FINISH);
  made.resize(made.size() - z.avail_out);
  inflateEnd(&z);
  return made;
}

std::string ArchiveOf(const uint8_t* data, size_t size, const std::string& made) {
  varnett::ArchiveMember m;
  m.name = "Game.dat";
  m.method = 8;
  m.data = made;
  m.compressed = std::string(reinterpret_cast<const char*>(data), size);
  return varnett::WriteArchive({m});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string archive(reinterpret_cast<const char*>(data), size);
  Compare(archive, "Game.dat");
  const std::vector<std::string> names = varnett::EntryNames(archive, 1);
  if (!names.empty() && names[0] != "Game.dat") Compare(archive, names[0]);

  std::string made;
  if (LibdeflateMakes(data, size, &made)) Compare(ArchiveOf(data, size, made), "Game.dat");
  const std::string by_zlib = ZlibMakes(data, size);
  if (by_zlib != made || by_zlib.empty()) Compare(ArchiveOf(data, size, by_zlib), "Game.dat");
  return 0;
}
