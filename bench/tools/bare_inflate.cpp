// The yardsticks for extraction: the first member of an archive (either
// signatures) inflated by a library alone and written out. No directory, no
// checks beyond the library's own, no CRC.
//   bare_inflate zlib ARCHIVE        zlib's raw inflate through one 64 KiB
//                                    window, reused: nothing is kept
//   bare_inflate libdeflate ARCHIVE  libdeflate in one call into one buffer
//                                    of the member's size, taken as the
//                                    reader takes its own (few page faults)
#include <libdeflate.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "catalogue/byte_buffer.h"

namespace {

uint32_t Le(const std::string& s, size_t at, int width) {
  uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
  return v;
}

int ByZlib(const uint8_t* in, size_t in_size) {
  static uint8_t window[65536];
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return 1;
  z.next_in = const_cast<Bytef*>(in);
  z.avail_in = static_cast<uInt>(in_size);
  int rc;
  do {
    z.next_out = window;
    z.avail_out = sizeof window;
    rc = inflate(&z, Z_NO_FLUSH);
    std::fwrite(window, 1, sizeof window - z.avail_out, stdout);
  } while (rc == Z_OK);
  inflateEnd(&z);
  return rc == Z_STREAM_END ? 0 : 1;
}

int ByLibdeflate(const uint8_t* in, size_t in_size, size_t size) {
  char* out = static_cast<char*>(varnett::AllocateZeroed(size));  // freed by the exit
  libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  if (out == nullptr || d == nullptr) return 1;
  if (libdeflate_deflate_decompress(d, in, in_size, out, size, nullptr) != LIBDEFLATE_SUCCESS) {
    return 1;
  }
  std::fwrite(out, 1, size, stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[1], "zlib") != 0 && std::strcmp(argv[1], "libdeflate") != 0)) {
    std::fprintf(stderr, "usage: bare_inflate zlib|libdeflate ARCHIVE > MEMBER\n");
    return 2;
  }
  std::FILE* in = std::fopen(argv[2], "rb");
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
  if (data > archive.size() || compressed > archive.size() - data) return 1;
  const uint8_t* stream = reinterpret_cast<const uint8_t*>(&archive[data]);
  return argv[1][0] == 'z' ? ByZlib(stream, compressed) : ByLibdeflate(stream, compressed, size);
}
