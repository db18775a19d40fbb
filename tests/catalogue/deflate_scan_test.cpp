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

// zlib is the judge: every stream the scan passes, zlib inflates whole
// within the stream's bytes and the bound, to what libdeflate makes of it.
// The streams are zlib's own of every strategy, then damaged by flipped
// bits, overwritten bytes and cuts; most of those the scan refuses, and it
// may refuse more than zlib does, never less.
TEST(DeflateScan, WhatItPassesZlibInflatesWhole) {
  libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  uint64_t x = 42;
  auto next = [&x] { return (x = x * 6364136223846793005u + 1442695040888963407u) >> 33; };
  int passed = 0, refused = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string text = Text(next() % 3000);
    for (char& c : text)
      if (next() % 3 == 0) c = char('a' + next() % 26);
    z_stream z{};
    const int strategies[] = {Z_DEFAULT_STRATEGY, Z_FIXED, Z_HUFFMAN_ONLY, Z_RLE};
    ASSERT_EQ(deflateInit2(&z, int(next() % 10), Z_DEFLATED, -MAX_WBITS, 8, strategies[next() % 4]),
              Z_OK);
    std::string stream(deflateBound(&z, uLong(text.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(&text[0]);
    z.avail_in = uInt(text.size());
    z.next_out = reinterpret_cast<Bytef*>(&stream[0]);
    z.avail_out = uInt(stream.size());
    ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    stream.resize(z.total_out);
    deflateEnd(&z);
    for (uint64_t damage = next() % 4; damage > 0 && !stream.empty(); --damage) {
      const size_t at = next() % stream.size();
      switch (next() % 3) {
        case 0:
          stream[at] = char(stream[at] ^ (1 << next() % 8));
          break;
        case 1:
          stream[at] = char(next());
          break;
        default:
          stream.resize(at);
      }
    }
    const uint64_t most = next() % 5 == 0 ? next() % (text.size() + 2) : text.size() + 2;
    if (!Strict(stream, most)) {
      ++refused;
      continue;
    }
    ++passed;
    std::string by_zlib(most + 1, '\0');
    z_stream in{};
    ASSERT_EQ(inflateInit2(&in, -MAX_WBITS), Z_OK);
    in.next_in = reinterpret_cast<Bytef*>(&stream[0]);
    in.avail_in = uInt(stream.size());
    in.next_out = reinterpret_cast<Bytef*>(&by_zlib[0]);
    in.avail_out = uInt(by_zlib.size());
    const int rc = inflate(&in, Z_FINISH);
    by_zlib.resize(in.total_out);
    inflateEnd(&in);
    ASSERT_EQ(rc, Z_STREAM_END) << "round " << round;
    ASSERT_LE(by_zlib.size(), most) << "round " << round;
    std::string by_libdeflate(by_zlib.size(), '\0');
    size_t n = 0;
    ASSERT_EQ(libdeflate_deflate_decompress(d, stream.data(), stream.size(), &by_libdeflate[0],
                                            by_libdeflate.size(), &n),
              LIBDEFLATE_SUCCESS)
        << "round " << round;
    ASSERT_EQ(by_libdeflate.substr(0, n), by_zlib) << "round " << round;
  }
  libdeflate_free_decompressor(d);
  // Both answers came often enough to mean something.
  EXPECT_GT(passed, 1000);
  EXPECT_GT(refused, 1000);
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
