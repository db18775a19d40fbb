// ExtractToStream and ExtractMember: selection, the target's size, the CRC-32
// check, the output bound and every way a member can fail.
#include <gtest/gtest.h>

#include "catalogue/zip_format.h"
#include "tests/catalogue/archive_fixture.h"
#include "tests/support/file_bytes.h"

namespace varnett {
namespace {

std::string Text(size_t n) {
  std::string s;
  while (s.size() < n) s += "Game\tSudden Attack\tC:\\Nexon\\" + std::to_string(s.size()) + "\r\n";
  s.resize(n);
  return s;
}

TEST(MemberExtraction, StoredAndDeflatedMembersVerify) {
  for (uint16_t method : {0, 8}) {
    for (size_t n : {size_t(0), size_t(1), size_t(32768), size_t(100000)}) {
      ArchiveFixture f;
      f.Put({Member("Game.dat", Text(n), method)});
      MemoryStream stream;
      EXPECT_EQ(f.Extract(&stream), 1) << method << " " << n;
      EXPECT_TRUE(stream.Bytes() == Text(n)) << method << " " << n;
      EXPECT_FALSE(f.unzipper.IsOpen());
    }
  }
}

TEST(MemberExtraction, SelectionIsTheWholeNameIgnoringAsciiCase) {
  ArchiveFixture f;
  f.Put({Member("GameData/Game.dat", "inner"), Member("Game.dat.bak", "bak"),
         Member("GAME.DAT", "root")});
  MemoryStream stream;
  EXPECT_EQ(f.Extract(&stream, "Game.dat"), 1);
  EXPECT_EQ(stream.Bytes(), "root");
  MemoryStream none;
  EXPECT_EQ(f.Extract(&none, "Game"), 0);
  EXPECT_EQ(none.Size(), 0u);
}

TEST(MemberExtraction, BlankNameOrNoTargetTouchesNoFile) {
  ArchiveFixture f;
  f.unzipper.SetZipName("C:\\missing.nif");
  MemoryStream stream;
  EXPECT_EQ(f.unzipper.ExtractToStream(&stream, " \t\r\n"), 0);
  EXPECT_EQ(f.unzipper.ExtractToStream(nullptr, "Game.dat"), 0);
  EXPECT_EQ(f.unzipper.directory_reads(), 0);
}

TEST(MemberExtraction, TwoMatchesWriteOverEachOtherFromTheStart) {
  ArchiveFixture f;
  f.Put({Member("Game.dat", "first member"), Member("game.dat", "second")});
  MemoryStream stream;
  EXPECT_EQ(f.Extract(&stream), 2);
  EXPECT_EQ(stream.Bytes(), "secondmember");
}

TEST(MemberExtraction, EncryptedMemberIsSkipped) {
  ArchiveMember m = Member("Game.dat", Text(100));
  m.flags = zip::kFlagEncrypted;
  ArchiveFixture f;
  f.Put({m});
  MemoryStream stream;
  EXPECT_EQ(f.Extract(&stream), 0);
  EXPECT_EQ(stream.Size(), 0u);
  EXPECT_TRUE(f.sim.dialogs.shown.empty());
}

TEST(MemberExtraction, CrcMismatchFailsSilentlyAndKeepsTheBytes) {
  ArchiveMember m = Member("Game.dat", Text(500));
  m.crc32 = 0x12345678;
  ArchiveFixture f;
  f.Put({m});
  MemoryStream stream;
  EXPECT_EQ(f.Extract(&stream), 0);
  EXPECT_TRUE(stream.Bytes() == Text(500));
}

TEST(MemberExtraction, StoredSizesThatDisagree) {
  // Compressed longer than uncompressed: the chunk that would pass the size
  // is not written at all.
  ArchiveMember m = Member("Game.dat", "0123456789", 0);
  m.uncompressed_size = 4;
  ArchiveFixture f;
  f.Put({m});
  MemoryStream stream;
  EXPECT_EQ(f.Extract(&stream), 0);
  EXPECT_EQ(stream.Bytes(), std::string(4, '\0'));
}

// A member that ends before its recorded size fails, even when the recorded
// CRC-32 is that of the bytes it has: the rest of the target was never
// written. The target keeps those bytes and its size.
TEST(MemberExtraction, MemberShorterThanRecordedFailsWhateverTheCrcOfThePartPresent) {
  for (uint16_t method : {0, 8}) {
    ArchiveMember m = Member("Game.dat", "0123456789", method);
    m.uncompressed_size = 16;  // the CRC-32 stays that of the ten bytes
    ArchiveFixture f;
    f.Put({m});
    MemoryStream stream;
    EXPECT_EQ(f.Extract(&stream), 0) << method;
    EXPECT_EQ(stream.Bytes(), std::string("0123456789") + std::string(6, '\0')) << method;
  }
}

TEST(MemberExtraction, DecodedDataLongerThanRecordedKeepsTheWholeChunksThatFitted) {
  ArchiveMember m = Member("Game.dat", Text(70000));
  m.uncompressed_size = 40000;
  ArchiveFixture f;
  f.Put({m});
  MemoryStream stream;
  EXPECT_EQ(f.Extract(&stream), 0);
  ASSERT_EQ(stream.Size(), 40000u);
  EXPECT_TRUE(stream.Bytes().substr(0, 32768) == Text(32768));
  EXPECT_EQ(stream.Bytes().substr(32768), std::string(40000 - 32768, '\0'));
}

TEST(MemberExtraction, DecodedDataLongerThanRecordedFailsWhateverTheCrcOfThePartThatFitted) {
  // Recorded as empty with the CRC-32 of nothing, but the data goes on.
  for (uint16_t method : {0, 8}) {
    ArchiveMember m = Member("Game.dat", "0123456789", method);
    m.uncompressed_size = 0;
    m.crc32 = 0;
    ArchiveFixture f;
    f.Put({m});
    MemoryStream stream;
    EXPECT_EQ(f.Extract(&stream), 0) << method;
    EXPECT_EQ(stream.Size(), 0u) << method;
  }
}

TEST(MemberExtraction, UnknownMethodShowsTheBoxAndLeavesTheTargetSized) {
  // A recorded CRC-32 of 0 is what an empty member carries: it must not pass
  // for the bytes of a member that was never decoded.
  for (uint32_t crc : {uint32_t(0), uint32_t(0x0BADC0DE)}) {
    ArchiveMember m = Member("Game.dat", Text(64), 9);
    m.compressed = std::string("\x01\x02\x03", 3);
    m.crc32 = crc;
    ArchiveFixture f;
    f.Put({m});
    MemoryStream stream;
    EXPECT_EQ(f.Extract(&stream), 0) << crc;
    EXPECT_EQ(stream.Size(), 64u) << crc;
    EXPECT_EQ(f.sim.dialogs.shown,
              std::vector<std::string>{"system Zip Error|Unknown Compression Method"});
  }
}

// Each failure that propagates: its message, and the archive closed again.
TEST(MemberExtraction, FailuresThatPropagate) {
  struct Case {
    const char* what;
    ArchiveMember member;
    std::string message;
  };
  std::string deflated = DeflateRaw(Text(5000));
  ArchiveMember cut = Member("Game.dat", Text(5000));
  cut.compressed_size = 100000;  // runs past the end of the file
  ArchiveMember short_stream = Member("Game.dat", Text(5000));
  short_stream.compressed_size = deflated.size() / 2;
  ArchiveMember garbage = Member("Game.dat", Text(10));
  garbage.compressed = std::string(20, '\xFF');  // an invalid block type
  ArchiveMember huge = Member("Game.dat", Text(10), 0);
  huge.uncompressed_size = 0xFFFFFFF0u;  // 4 GiB
  ArchiveMember zip64_huge = Member("Game.dat", Text(10), 0);
  zip64_huge.zip64 = true;
  zip64_huge.uncompressed_size = uint64_t(1) << 63;
  ArchiveMember bomb = Member("Game.dat", Text(10));
  bomb.uncompressed_size = 100u << 20;  // 100 MiB from a few bytes
  const Case cases[] = {
      {"cut short", cut, "Premature end of file reached"},
      {"compressed size too small", short_stream, "error"},
      {"not deflate data", garbage, "error"},
      {"4 GiB claim", huge, "Uncompressed size is too large"},
      {"2^63 claim", zip64_huge, "Uncompressed size is too large"},
      {"implausible ratio", bomb, "Uncompressed size is too large"},
  };
  for (const Case& c : cases) {
    ArchiveFixture f;
    f.Put({c.member});
    EXPECT_EQ(f.ExtractError(), c.message) << c.what;
    EXPECT_FALSE(f.unzipper.IsOpen()) << c.what;
    EXPECT_NE(f.unzipper.Directory(), nullptr) << c.what;  // held for the next try
  }
}

// Many entries of one name share one budget: what they claim together is
// bounded, not only what each claims.
TEST(MemberExtraction, ClaimsOfAllSelectedMembersShareOneCeiling) {
  std::vector<ArchiveMember> members(5, Member("Game.dat", Text(1000), 0));
  ArchiveFixture f;
  f.Put(members);
  f.unzipper.max_extraction_total = 4000;
  EXPECT_EQ(f.ExtractError(), "Uncompressed size is too large");
  f.unzipper.max_extraction_total = 5000;
  MemoryStream stream;
  EXPECT_EQ(f.Extract(&stream), 5);
}

// A recorded compressed size reaching past the end of the file is judged by
// the bytes the stream uses: read 32768 at a time, the member verifies when
// its stream ends inside blocks the file holds whole, and the file's end
// raises only where a block is cut short before the stream's end.
TEST(MemberExtraction, CompressedSizePastTheEndOfTheFileCountsOnlyWhereTheStreamNeedsIt) {
  const std::string text = Text(20000);
  const std::string deflated = DeflateRaw(text);
  struct Case {
    uint64_t recorded;
    const char* error;
  } cases[] = {
      // The stream (a few KB) ends inside the first block, which the file
      // holds whole only when the member's data is followed by enough bytes.
      {15925486, ""},
      {32768 + 1, ""},
      {deflated.size() + 1, ""},
  };
  for (const Case& c : cases) {
    ArchiveMember m = Member("Game.dat", text);
    m.compressed = deflated;
    m.compressed_size = c.recorded;
    m.zip64 = true;
    m.comment = std::string(40000, 'c');  // bytes after the data: the first block is whole
    ArchiveFixture f;
    f.Put({m});
    MemoryStream stream;
    EXPECT_EQ(f.Extract(&stream), 1) << c.recorded;
    EXPECT_TRUE(stream.Bytes() == text) << c.recorded;
  }
  // Without those bytes after it the first block is cut short.
  ArchiveMember m = Member("Game.dat", text);
  m.compressed = deflated;
  m.compressed_size = 15925486;
  m.zip64 = true;
  ArchiveFixture f;
  f.Put({m});
  EXPECT_EQ(f.ExtractError(), "Premature end of file reached");
}

// The fuzz finding that settled the rule above: a zip64 local header records
// 15,925,486 compressed bytes in a file of 59,433; the stream ends inside the
// file with the recorded 477 bytes and their CRC-32.
TEST(MemberExtraction, FindingWithRecordedSizePastTheEndVerifies) {
  std::string archive;
  ASSERT_TRUE(ReadFileBytes(VARNETT_SOURCE_DIR
                            "/fuzz/corpus/archive_reader/"
                            "archive-verified-with-recorded-size-past-the-end.nif",
                            &archive));
  ASSERT_EQ(archive.size(), 59433u);
  ArchiveFixture f;
  f.Put(archive);
  MemoryStream stream;
  EXPECT_EQ(f.Extract(&stream), 1);
  EXPECT_EQ(stream.Size(), 477u);
}

TEST(MemberExtraction, LocalHeaderOffsetAtTheEndOfTheFile) {
  std::string archive = WriteArchive({Member("Game.dat", Text(300))});
  const size_t central = archive.size() - 22 - 46 - 8;
  Patch32(&archive, central + 42, uint32_t(archive.size() - 4));
  ArchiveFixture f;
  f.Put(archive);
  EXPECT_EQ(f.ExtractError(), "Premature end of file reached");
}

// A zip64 local header offset just short of 2^64: the member's data would
// start past the end of any file, not at a place the sum wraps round to.
// The recorded CRC-32 and size are those of the archive's first bytes, which
// a wrapped sum would decode and verify.
TEST(MemberExtraction, LocalHeaderOffsetNearTwoToTheSixtyFourLiesBeyondTheFile) {
  const std::string lead = WriteArchive({Member("Lead.txt", "lead", 0)});
  ArchiveMember game = Member("Game.dat", lead.substr(0, 10), 0);
  game.zip64 = true;
  std::string archive = WriteArchive({Member("Lead.txt", "lead", 0), game});
  // Game.dat's central header, then its name and the zip64 block's tag,
  // size, uncompressed and compressed sizes before the offset.
  const size_t central = archive.rfind(std::string("\x35\x10\x10\x58", 4));
  const size_t offset_field = central + zip::kCentralSize + 8 + 4 + 16;
  for (int i = 0; i < 8; ++i) archive[offset_field + i] = char(i == 0 ? 0xE2 : 0xFF);  // 2^64 - 30
  ArchiveFixture f;
  f.Put(archive);
  EXPECT_EQ(f.ExtractError(), "Premature end of file reached");
}

}  // namespace
}  // namespace varnett
