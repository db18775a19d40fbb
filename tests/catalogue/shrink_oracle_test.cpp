// Shrunk members from the test encoder, which clears the code table partly
// whenever it fills, come out of the reader byte for byte; Info-ZIP's unzip
// and 7-Zip, unshrinkers we did not write, decode the very same archives to
// the same bytes.
#include <gtest/gtest.h>

#include <random>

#include "tests/catalogue/archive_fixture.h"
#include "tests/support/unzip_oracle.h"
#include "tools/writer/shrink_encoder.h"

namespace varnett {
namespace {

struct Input {
  const char* name;
  std::string data;
  bool clears;  // big and varied enough to fill the table
};

std::vector<Input> Inputs() {
  std::mt19937 random(11);
  std::string text;
  const char* words[] = {"game ", "folder ", "cafe ", "screenshot ", "\r\n", "Netmarble ", "SA "};
  while (text.size() < 300000) text += words[random() % 7];
  std::string noise, drifting, mixed;
  for (int i = 0; i < 200000; ++i) noise += char(random());
  // Little repetition: a small alphabet that drifts across the byte range,
  // so short strings recur but long ones seldom do (the kind of member whose
  // bytes went wrong after the first clears).
  for (int i = 0; i < 200000; ++i) drifting += char(random() % 16 + (i / 5000) * 3);
  for (int i = 0; i < 600000; ++i) mixed += char((random() % 7) * (i % 13));
  return {
      {"empty", "", false},
      {"one byte", "x", false},
      {"run", std::string(100000, 'A'), false},
      {"text", text, true},
      {"random", noise, true},
      {"binary with little repetition", drifting, true},
      {"long", mixed, true},
  };
}

std::string Archive(const std::string& data, const std::string& packed, bool standard) {
  ArchiveMember m = Member("Game.dat", data, 1);
  m.compressed = packed;
  ArchiveOptions options;
  options.standard_signatures = standard;
  return WriteArchive({m}, options);
}

TEST(ShrinkOracle, ReaderReproducesEveryInput) {
  for (const Input& input : Inputs()) {
    // Clears only when the table is full, as shrinkers do; and clears of a
    // table that is not full, every hundred codes, or every five, where the
    // code just defined is soon freed and its slot reused while codes that
    // extend it wait.
    for (int clear_every : {0, 5, 100}) {
      SCOPED_TRACE(std::string(input.name) + " clear every " + std::to_string(clear_every));
      int clears = 0;
      const std::string packed = Shrink(input.data, ShrinkOptions{clear_every}, &clears);
      if (clear_every == 0) {
        EXPECT_EQ(clears > 0, input.clears);
      }
      ArchiveFixture f;
      f.Put(Archive(input.data, packed, false));
      MemoryStream stream;
      EXPECT_EQ(f.Extract(&stream), 1);
      EXPECT_TRUE(stream.Bytes() == input.data);
    }
  }
}

TEST(ShrinkOracle, UnzipDecodesTheSameArchives) {
#ifdef _WIN32
  GTEST_SKIP() << "Info-ZIP unzip, the oracle, is run by the native build only";
#else
  for (const Input& input : Inputs()) {
    SCOPED_TRACE(input.name);
    const UnzipResult unzip = UnzipPrint(Archive(input.data, Shrink(input.data), true));
    ASSERT_TRUE(unzip.ran) << "Info-ZIP unzip is needed on the PATH";
    EXPECT_EQ(unzip.status, 0);
    EXPECT_TRUE(unzip.output == input.data) << unzip.output.size() << " bytes";
  }
#endif
}

// 7-Zip reads the streams unzip cannot: clears of a table that is not full,
// where codes the shrinker just defined are freed and reused at once.
TEST(ShrinkOracle, SevenZipDecodesTheSameArchives) {
#ifdef _WIN32
  GTEST_SKIP() << "7-Zip, the oracle, is run by the native build only";
#else
  for (const Input& input : Inputs()) {
    for (int clear_every : {0, 5}) {
      SCOPED_TRACE(std::string(input.name) + " clear every " + std::to_string(clear_every));
      const std::string packed = Shrink(input.data, ShrinkOptions{clear_every});
      const UnzipResult seven = SevenZipPrint(Archive(input.data, packed, true));
      ASSERT_TRUE(seven.ran) << "7-Zip (7zz) is needed on the PATH";
      EXPECT_EQ(seven.status, 0) << seven.messages;
      EXPECT_TRUE(seven.output == input.data) << seven.output.size() << " bytes";
    }
  }
#endif
}

}  // namespace
}  // namespace varnett
