// Deflated members made by zlib itself must come back byte for byte. The sizes
// sit around every multiple of the 32 KiB output chunk, where a chunk fills at
// the very moment the compressed bytes run out and zlib still holds output.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/catalogue/archive_fixture.h"

namespace varnett {
namespace {

std::string Random(size_t n) {
  std::string s(n, '\0');
  uint32_t x = uint32_t(n) * 2654435761u + 1;
  for (char& c : s) {
    x = x * 1103515245u + 12345u;
    c = char(x >> 24);
  }
  return s;
}

std::string Text(size_t n) {
  std::string s;
  for (int i = 0; s.size() < n; ++i) {
    s += "Game\tD:\\Nexon\\Sudden Attack " + std::to_string(i * 37 % 1000) + "\r\n";
  }
  s.resize(n);
  return s;
}

std::string Zeros(size_t n) { return std::string(n, '\0'); }

// zlib's own verdict on a raw deflate stream: the bytes it decodes when the
// stream is complete, nothing when it is cut short or damaged.
std::optional<std::string> ZlibInflate(const std::string& packed) {
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return std::nullopt;
  std::string out;
  char buffer[16384];
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  z.avail_in = uInt(packed.size());
  int r = Z_OK;
  while (r == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(buffer);
    z.avail_out = sizeof buffer;
    r = inflate(&z, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - z.avail_out);
  }
  inflateEnd(&z);
  if (r != Z_STREAM_END) return std::nullopt;
  return out;
}

ArchiveMember Deflated(const std::string& data, int level) {
  ArchiveMember m = Member("Game.dat", data);
  m.compressed = DeflateRaw(data, level);
  return m;
}

TEST(DeflateRoundTrip, SizesAroundEveryChunkBoundary) {
  struct Content {
    const char* name;
    std::string (*make)(size_t);
  };
  const Content contents[] = {{"random", Random}, {"text", Text}, {"zeros", Zeros}};
  std::vector<size_t> sizes = {0, 1, 2, 100, 32766, 32767};
  for (size_t k : {1, 2, 3, 4, 7}) {
    for (size_t d = 0; d <= 11; ++d) sizes.push_back(k * 32768 + d);
  }
  for (size_t n : sizes) {
    for (const Content& content : contents) {
      const std::string data = content.make(n);
      for (int level : {1, 6, 9}) {
        SCOPED_TRACE(std::to_string(n) + " " + content.name + " level " + std::to_string(level));
        ArchiveFixture f;
        f.Put({Deflated(data, level)});
        MemoryStream stream;
        try {
          EXPECT_EQ(f.Extract(&stream), 1);
        } catch (const CatalogueError& e) {
          ADD_FAILURE() << "raised \"" << e.what() << "\"";
          continue;
        }
        EXPECT_TRUE(stream.Bytes() == data) << "got " << stream.Size() << " bytes";
      }
    }
  }
}

// The other side of the same loop: a stream that really is cut short stays an
// error wherever it is cut, also where a full chunk ends with the input.
TEST(DeflateRoundTrip, EveryCutShortStreamIsAnError) {
  for (size_t n : {size_t(32769), size_t(65536), size_t(98307)}) {
    for (int level : {1, 6, 9}) {
      const std::string packed = DeflateRaw(Zeros(n), level);
      for (size_t cut = 0; cut < packed.size(); ++cut) {
        SCOPED_TRACE(std::to_string(n) + " level " + std::to_string(level) + " cut at " +
                     std::to_string(cut));
        ASSERT_FALSE(ZlibInflate(packed.substr(0, cut)));  // zlib agrees it is incomplete
        ArchiveMember m = Deflated(Zeros(n), level);
        m.compressed_size = cut;
        ArchiveFixture f;
        f.Put({m});
        EXPECT_EQ(f.ExtractError(), "error");
      }
    }
  }
}

}  // namespace
}  // namespace varnett
