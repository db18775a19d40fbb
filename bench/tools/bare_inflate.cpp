// The yardstick for extraction: zlib alone inflating the first member of an
// archive (either signatures) into a buffer of its size and writing it out.
// No directory, no checks beyond zlib's own, no CRC. The buffer is taken as
// the reader takes its own (few page faults), so that the comparison shows
// the reader's work and not the allocator's.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "catalogue/byte_buffer.h"

namespace {

uint32_t Le(const std::string& s, size_t at, int width) {
  uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
  return v;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bare_inflate ARCHIVE > MEMBER\n");
    return 2;
  }
  std::FILE* in = std::fopen(argv[1], "rb");
  if (in == nullptr) return 1;
  std::fseek(in, 0, SEEK_END);
  std::string archive(static_cast<size_t>(std::ftell(in)), '\0');
  std::fseek(in, 0, SEEK_SET);
  const size_t got = std::fread(&archive[0], 1, archive.size(), in);
  std::fclose(in);
  if (got != archive.size() || archive.size() < 30) return 1;
  const size_t data = 30 + Le(archive, 26, 2) + Le(archive, 28, 2);
  const uint32_t compressed = Le(archive, 18, 4);
  const size_t size = Le(archive, 22, 4);
  char* out = static_cast<char*>(varnett::AllocateZeroed(size));  // freed by the exit
  if (out == nullptr) return 1;
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return 1;
  z.next_in = reinterpret_cast<Bytef*>(&archive[data]);
  z.avail_in = compressed;
  z.next_out = reinterpret_cast<Bytef*>(out);
  z.avail_out = static_cast<uInt>(size);
  const int rc = inflate(&z, Z_FINISH);
  inflateEnd(&z);
  if (rc != Z_STREAM_END) return 1;
  std::fwrite(out, 1, size, stdout);
  return 0;
}
