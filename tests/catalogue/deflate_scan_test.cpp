// The scan that keeps the whole-member decoding to what zlib takes: sound
// streams of every block type pass; the streams libdeflate takes and zlib
// refuses are refused, and an archive holding one, recorded with the size
// and CRC-32 of what libdeflate makes of it, extracts the same with and
// without the whole-member decoding.
#include "catalogue/deflate_scan.h"

#include <gtest/gtest.h>
#include <libdeflate.h>
#include <zlib.h>

#include "tests/support/two_paths.h"
#include "tools/writer/archive_writer.h"

namespace varnett {
namespace {

std::string Hex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

bool Strict(const std::string& stream, uint64_t most = 1 << 20) {
  return DeflateStreamIsStrict(reinterpret_cast<const uint8_t*>(stream.data()), stream.size(),
                               most);
}

std::string Text(size_t n) {
  std::string s;
  for (uint32_t x = 1; s.size() < n; x = x * 1103515245 + 12345) {
    s += "Game\tSudden Attack\t" + std::to_string(x % 977) + (x % 5 ? "\r\n" : "\t");
  }
  s.resize(n);
  return s;
}

TEST(DeflateScan, SoundStreamsPass) {
  for (size_t n : {size_t(0), size_t(1), size_t(1000), size_t(300000)}) {
    for (int level : {0, 1, 6, 9}) {
      const std::string stream = DeflateRaw(Text(n), level);
      EXPECT_TRUE(Strict(stream)) << n << " bytes, level " << level;
      // The output bound and the end of the input are held to.
      if (n > 0) {
        EXPECT_FALSE(Strict(stream, n - 1)) << n << " bytes, level " << level;
      }
      EXPECT_FALSE(Strict(stream.substr(0, stream.size() - 1))) << n << " level " << level;
    }
  }
  // One final dynamic block: 'a' and the end, both of one bit, no distances.
  EXPECT_TRUE(
      Strict(Hex("05e0019024499224490200000000000000000000000000000000000000000000"
                 "0000000000000000000000000000000000000000000000000000020000000000"
                 "0000000000000000000000000000000000000000000000000000000000000000"
                 "0000000000000000000000000000000000000000000000000000000000000000"
                 "0000000000000000002008")));
}

// Each built bit by bit; libdeflate decodes it, zlib refuses it.
struct Lenient {
  const char* what;
  std::string stream;
};

std::vector<Lenient> LenientStreams() {
  return {
      // Fixed block: 'a', length symbol 286 with distance symbol 0, end.
      {"fixed code, length symbol 286", Hex("4b1c0300")},
      // Dynamic block with 287 length codes ('a' 1 bit; end and 286 2 bits)
      // and two distance codes of 1 bit: 'a', 286 at distance 1, end.
      {"287 length codes", Hex("f5e1019024499224490200000000000000000000000000000000000000000000"
                               "0000000000000000000000000000000000000000000000000000020000000000"
                               "0000000000000000000000000000000000000000000000000000000000000000"
                               "0000000000000000000000000000000000000000000000000000000000000000"
                               "00000000000000000010000000000000000000000000000010a205")},
      // Dynamic block whose last code-length repeat (3 zeros) runs two past
      // the 258 lengths: 'a', end.
      {"code-length repeat past the lengths",
       Hex("05e05b9024499224cb0200000000000000000000000000000000000000000000"
           "0000000000000000000000000000000000000000000000000000020000000000"
           "0000000000000000000000000000000000000000000000000000000000000000"
           "0000000000000000000000000000000000000000000000000000000000000000"
           "000000000000000000e087")},
  };
}

TEST(DeflateScan, StreamsThatOnlyLibdeflateTakesAreRefused) {
  libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  for (const Lenient& c : LenientStreams()) {
    SCOPED_TRACE(c.what);
    std::string made(1000, '\0');
    size_t n = 0;
    ASSERT_EQ(libdeflate_deflate_decompress(d, c.stream.data(), c.stream.size(), &made[0],
                                            made.size(), &n),
              LIBDEFLATE_SUCCESS);
    made.resize(n);
    std::string by_zlib(1000, '\0');
    uLongf out = by_zlib.size();
    z_stream z{};
    ASSERT_EQ(inflateInit2(&z, -MAX_WBITS), Z_OK);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(c.stream.data()));
    z.avail_in = uInt(c.stream.size());
    z.next_out = reinterpret_cast<Bytef*>(&by_zlib[0]);
    z.avail_out = uInt(out);
    EXPECT_EQ(inflate(&z, Z_FINISH), Z_DATA_ERROR);
    inflateEnd(&z);

    EXPECT_FALSE(Strict(c.stream));
    ArchiveMember m;
    m.name = "Game.dat";
    m.data = made;
    m.compressed = c.stream;
    const std::string archive = WriteArchive({m});
    const ExtractionSeen whole = SeeExtraction(archive, "Game.dat", true);
    const ExtractionSeen exact = SeeExtraction(archive, "Game.dat", false);
    EXPECT_TRUE(whole == exact) << "with: " << whole.Describe()
                                << "\nwithout: " << exact.Describe();
    EXPECT_EQ(exact.raised.find("error") != std::string::npos, true) << exact.raised;
  }
  libdeflate_free_decompressor(d);
}

}  // namespace
}  // namespace varnett
