// Hand-made bit streams for the legacy methods: each shows one rule of the
// format that the independent vectors may not reach (widening and partial
// clearing of LZW codes, the reducer's escape and copies from before the
// start, the implode code order and match lengths).
#include <gtest/gtest.h>

#include "catalogue/zip_format.h"
#include "tests/catalogue/archive_fixture.h"

namespace varnett {
namespace {

// Packs values least significant bit first, as the decoders read them.
class BitWriter {
 public:
  void Put(uint32_t value, int bits) {
    for (int i = 0; i < bits; ++i) PutBit((value >> i) & 1);
  }
  // A prefix code: its most significant bit goes first.
  void PutCode(uint32_t code, int bits) {
    for (int i = bits - 1; i >= 0; --i) PutBit((code >> i) & 1);
  }
  std::string Bytes() const { return bytes_; }

 private:
  void PutBit(uint32_t bit) {
    if (count_ % 8 == 0) bytes_ += '\0';
    bytes_.back() = char(bytes_.back() | (bit << (count_ % 8)));
    ++count_;
  }
  std::string bytes_;
  int count_ = 0;
};

// Extracts one member of `method` made from `stream`, recorded as `want`.
std::string Decode(uint16_t method, uint16_t flags, const std::string& stream,
                   const std::string& want, int* verified) {
  ArchiveMember m = Member("Game.dat", want, method);
  m.compressed = stream;
  m.flags = flags;
  ArchiveFixture f;
  f.Put({m});
  MemoryStream out;
  *verified = f.Extract(&out);
  return std::string(out.Bytes());
}

TEST(LegacyMethods, ShrinkWidensCodesAndReusesPartlyClearedOnes) {
  BitWriter w;
  // A, B, AB (257), then 259 before it exists: the previous string and its
  // first byte, ABA.
  for (int code : {int('A'), int('B'), 257, 259, int('A')}) w.Put(code, 9);
  // Partial clear: 258 (BA) and 260 (ABAA) are leaves and become free; 257
  // and 259 are prefixes and stay.
  w.Put(256, 9);
  w.Put(2, 9);
  // 258 and 260 are now the next free codes: AA, then AAA.
  w.Put(258, 9);
  w.Put(260, 9);
  // Widen to 10 bits; 259 still means ABA.
  w.Put(256, 9);
  w.Put(1, 9);
  w.Put(259, 10);
  const std::string want = "ABABABAAAAAAAABA";
  int verified = 0;
  EXPECT_EQ(Decode(1, 0, w.Bytes(), want, &verified), want);
  EXPECT_EQ(verified, 1);
}

TEST(LegacyMethods, ShrinkKeepsAReusedCodeThatOthersAlreadyExtend) {
  BitWriter w;
  // A, B (257 = AB); a clear frees 257. A (257 = BA), then 258 before it
  // exists: AA.
  for (int code : {int('A'), int('B'), 256, 2, int('A'), 258, 256, 2}) w.Put(code, 9);
  // The clear freed 257 and 258. B defines 257 as 258 + B, naming the free
  // 258 as its prefix; A then reuses 258 as BA, so 257 now means BAB.
  for (int code : {int('B'), int('A'), 256, 2}) w.Put(code, 9);
  // That clear frees 257 (a leaf) but not 258, which 257 extends: 258 is
  // still BA.
  w.Put(258, 9);
  const std::string want = "ABAAABABA";
  int verified = 0;
  EXPECT_EQ(Decode(1, 0, w.Bytes(), want, &verified), want);
  EXPECT_EQ(verified, 1);
}

// The shape a shrinker writes when it clears right after a code it had just
// defined and then reuses that code at once: the current code extends the
// very code this step defines.
TEST(LegacyMethods, ShrinkCodeExtendingTheCodeThisStepDefines) {
  BitWriter w;
  // A, B (257 = AB); a clear frees 257. A (257 = BA), then 258 before it
  // exists (258 = AA). A clear frees both, leaving 258 as the previous code.
  for (int code : {int('A'), int('B'), 256, 2, int('A'), 258, 256, 2}) w.Put(code, 9);
  // B defines 257 as the free 258 + B. 257 then defines 258 as B + the first
  // byte of 257, which runs through 258 itself: 258 = BB, 257 = BBB.
  for (int code : {int('B'), 257}) w.Put(code, 9);
  const std::string want = "ABAAABBBB";
  int verified = 0;
  EXPECT_EQ(Decode(1, 0, w.Bytes(), want, &verified), want);
  EXPECT_EQ(verified, 1);
}

TEST(LegacyMethods, ReduceEscapesCopiesAndReachesBeforeTheStart) {
  for (int factor = 1; factor <= 4; ++factor) {
    BitWriter w;
    for (int j = 0; j < 256; ++j) w.Put(0, 6);  // no follower sets: every byte in 8 bits
    auto byte = [&](int b) { w.Put(b, 8); };
    byte('A');
    byte('B');
    // DLE, V, C: length V & mask (+3), distance ((V >> (8 - factor)) << 8) + C + 1.
    byte(144);
    byte(1);
    byte(1);  // 4 bytes from 2 back: ABAB
    byte(144);
    byte(0);  // DLE 0: the byte 144 itself
    byte(144);
    byte(0x80 >> (factor - 1) | 0);  // length 0, high distance bits 1: 256 + 9 + 1 back
    byte(9);
    const std::string want = std::string("ABABAB") + '\x90' + std::string(3, '\0');
    int verified = 0;
    EXPECT_EQ(Decode(uint16_t(1 + factor), 0, w.Bytes(), want, &verified), want) << factor;
    EXPECT_EQ(verified, 1) << factor;
  }
}

TEST(LegacyMethods, ExplodeWithTwoTreesAndEitherWindow) {
  for (uint16_t flags : {uint16_t(0), zip::kFlagImplode8K}) {
    const int low_bits = flags ? 7 : 6;
    BitWriter w;
    // Length and distance trees: 64 codes of 6 bits each (4 bytes of 16
    // repeats). Equal lengths keep symbol order and the walk starts at the
    // last symbol, so symbol s has the code 63 - s.
    for (int tree = 0; tree < 2; ++tree) {
      w.Put(3, 8);
      for (int i = 0; i < 4; ++i) w.Put(0xF5, 8);
    }
    auto literal = [&](int c) {
      w.Put(1, 1);
      w.Put(c, 8);
    };
    auto match = [&](uint32_t distance, uint32_t length_symbol) {
      w.Put(0, 1);
      w.Put((distance - 1) & ((1u << low_bits) - 1), low_bits);
      w.PutCode(63 - ((distance - 1) >> low_bits), 6);
      w.PutCode(63 - length_symbol, 6);
    };
    literal('A');
    literal('B');
    match(2, 2);    // 2 + 2 bytes: ABAB
    match(300, 0);  // 2 bytes from before the start: zeros
    const std::string want = std::string("ABABAB") + std::string(2, '\0');
    int verified = 0;
    EXPECT_EQ(Decode(6, flags, w.Bytes(), want, &verified), want) << flags;
    EXPECT_EQ(verified, 1);
  }
}

}  // namespace
}  // namespace varnett
