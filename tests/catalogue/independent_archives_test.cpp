// Archives written by Info-ZIP zip and Python's zipfile, given the catalogue's
// signatures, extract byte for byte; damaged copies give the reader's messages.
#include <gtest/gtest.h>

#include "tests/catalogue/archive_fixture.h"
#include "tests/support/file_bytes.h"
#include "tools/writer/signature_rewrite.h"

namespace varnett {
namespace {

std::string Fixture(const std::string& name) {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(VARNETT_SOURCE_DIR "/tests/fixtures/archives/" + name, &bytes)) << name;
  return bytes;
}

std::string Catalogue(const std::string& zip_name) {
  std::string bytes = Fixture(zip_name);
  EXPECT_TRUE(RewriteSignatures(&bytes)) << zip_name;
  return bytes;
}

struct Case {
  const char* archive;
  const char* member;  // as the reader names it
  const char* original;
};

TEST(IndependentArchives, ExtractByteForByte) {
  const Case cases[] = {
      {"infozip_folders.zip", "Game.dat", "Game.dat"},
      {"infozip_folders.zip", "GameData\\Game.dat", "GameData_Game.dat"},
      {"infozip_folders.zip", "README.TXT", "readme.txt"},
      {"infozip_zip64.zip", "Game.dat", "Game.dat"},
      {"infozip_stream.zip", "-", "Game.dat"},
      {"python_stream_zip64.zip", "game.dat", "Game.dat"},
      {"python_stream_zip64.zip", "GameData\\Game.dat", "GameData_Game.dat"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.archive) + " " + c.member);
    ArchiveFixture f;
    f.Put(Catalogue(c.archive));
    MemoryStream stream;
    EXPECT_EQ(f.Extract(&stream, c.member), 1);
    EXPECT_TRUE(stream.Bytes() == Fixture(c.original));
  }
}

TEST(IndependentArchives, FoldersAreEntriesWithoutFileName) {
  ArchiveFixture f;
  f.Put(Catalogue("infozip_folders.zip"));
  MemoryStream stream;
  // A folder that matches counts as verified and writes nothing.
  EXPECT_EQ(f.Extract(&stream, "GameData\\Empty\\"), 1);
  EXPECT_EQ(stream.Size(), 0u);
  int folders = 0;
  for (size_t i = 0; i < f.unzipper.Directory()->Count(); ++i) {
    folders += (*f.unzipper.Directory())[i].file_name.empty();
  }
  EXPECT_EQ(folders, 2);
}

TEST(IndependentArchives, LongestCommentAfterAnInfoZipArchive) {
  std::string bytes = Catalogue("infozip_zip64.zip");
  Patch16(&bytes, bytes.size() - 2, 0xFFFF);
  bytes += std::string(65535, '\x42');  // the end signature's first byte, everywhere
  ArchiveFixture f;
  f.Put(bytes);
  MemoryStream stream;
  EXPECT_EQ(f.Extract(&stream), 1);
  EXPECT_TRUE(stream.Bytes() == Fixture("Game.dat"));
}

TEST(IndependentArchives, DamagedCopies) {
  const std::string good = Catalogue("infozip_folders.zip");
  // Cut inside the end record: no end record.
  {
    ArchiveFixture f;
    f.Put(good.substr(0, good.size() - 10));
    EXPECT_EQ(f.ExtractError(), "Incomplete Zip File");
  }
  // The classic signatures left in place.
  {
    ArchiveFixture f;
    f.Put(Fixture("infozip_folders.zip"));
    EXPECT_EQ(f.ExtractError(), "Incomplete Zip File");
  }
  // A flipped byte inside the deflated data: zlib's error, or a CRC-32 that
  // differs and a member that fails silently.
  {
    ArchiveFixture f;
    std::string bytes = good;
    bytes[30 + 8 + 100] ^= 0x55;
    f.Put(bytes);
    MemoryStream stream;
    int verified = -1;
    try {
      verified = f.Extract(&stream);
      EXPECT_EQ(stream.Size(), Fixture("Game.dat").size());
    } catch (const EZCompressionError& e) {
      EXPECT_STREQ(e.what(), "error");
    }
    EXPECT_NE(verified, 1);
  }
  // A zip64 record offset into nowhere: the classic fields still lead to the
  // directory, so the member is read.
  {
    std::string bytes = Catalogue("infozip_zip64.zip");
    const size_t locator = bytes.size() - 22 - 20;
    Patch32(&bytes, locator + 8, 0x7FFFFFF0);
    ArchiveFixture f;
    f.Put(bytes);
    MemoryStream stream;
    EXPECT_EQ(f.Extract(&stream), 1);
  }
}

}  // namespace
}  // namespace varnett
