#include "catalogue/crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

namespace varnett {
namespace {

// The eight-way loop must agree with the plain definition at every length and
// alignment, also when a running CRC is continued across chunks.
TEST(Crc32, AgreesWithZlibAcrossLengthsAndChunks) {
  std::string data;
  for (int i = 0; i < 1000; ++i) data += char(i * 37 + (i >> 3));
  EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
  for (size_t start : {0, 1, 3, 7}) {
    for (size_t n : {0, 1, 7, 8, 9, 63, 500, 993}) {
      uint32_t want =
          uint32_t(crc32(0, reinterpret_cast<const Bytef*>(data.data() + start), uInt(n)));
      EXPECT_EQ(Crc32(data.data() + start, n), want) << start << "+" << n;
      uint32_t running = UpdateCrc32(0xFFFFFFFFu, data.data() + start, n / 3);
      running = UpdateCrc32(running, data.data() + start + n / 3, n - n / 3);
      EXPECT_EQ(running ^ 0xFFFFFFFFu, want);
    }
  }
}

}  // namespace
}  // namespace varnett
