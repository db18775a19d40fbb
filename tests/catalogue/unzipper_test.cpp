// Reading the catalogue archive's directory: the end record search, the
// central headers, the rebuild from local headers, and the reader's states.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "catalogue/zip_format.h"
#include "tests/catalogue/archive_fixture.h"
#include "tools/writer/signature_rewrite.h"

namespace varnett {
namespace {

const std::string kText = "MPath\tC:\\Nexon\\Sudden Attack\r\n";

// Offset of the central directory in a WriteArchive() result without comment.
size_t CentralOffset(const std::string& archive) {
  return zip::Le32(reinterpret_cast<const uint8_t*>(archive.data()) + archive.size() - 22 + 16);
}

TEST(ArchiveDirectory, EmptyFileIsAnArchiveWithoutEntries) {
  ArchiveFixture f;
  f.Put(std::string());
  MemoryStream stream;
  EXPECT_EQ(f.Extract(&stream), 0);
  ASSERT_NE(f.unzipper.Directory(), nullptr);
  EXPECT_EQ(f.unzipper.Directory()->Count(), 0u);
  EXPECT_EQ(stream.Size(), 0u);
}

TEST(ArchiveDirectory, NoEndRecordIsAnIncompleteZip) {
  std::string pk = WriteArchive({Member("Game.dat", kText)}, {"", false, true});
  for (const std::string& bytes : {std::string(1, 'x'), std::string(21, '\0'), pk}) {
    ArchiveFixture f;
    f.Put(bytes);
    EXPECT_EQ(f.ExtractError(), "Incomplete Zip File") << bytes.size();
    EXPECT_EQ(f.unzipper.ZipName(), kCatalogue);  // the name stays
    EXPECT_EQ(f.unzipper.Directory(), nullptr);
    EXPECT_FALSE(f.unzipper.IsOpen());
  }
}

TEST(ArchiveDirectory, MissingFileGivesTheOpenErrorWithTheSystemText) {
  ArchiveFixture f;
  f.unzipper.SetZipName("C:\\PLX\\GameData\\Missing.nif");
  EXPECT_EQ(f.ExtractError(),
            "Cannot open file \"C:\\PLX\\GameData\\Missing.nif\". The system cannot find the file "
            "specified");
  EXPECT_EQ(f.unzipper.ZipName(), "C:\\PLX\\GameData\\Missing.nif");
}

TEST(ArchiveDirectory, LongestCommentAndSignatureInsideTheComment) {
  // A 65535-byte comment: the record is found at the very start of the span.
  {
    ArchiveFixture f;
    f.Put({Member("Game.dat", kText)}, {std::string(65535, 'c')});
    MemoryStream stream;
    EXPECT_EQ(f.Extract(&stream), 1);
    EXPECT_EQ(stream.Bytes(), kText);
    EXPECT_EQ(f.unzipper.EndRecord().comment_length, 65535);
  }
  // A comment holding an end signature with 18 bytes after it: that later
  // record wins, and it says there are no entries.
  {
    ArchiveFixture f;
    std::string fake = "\x42\x02\x79\x0B" + std::string(18, '\0');
    f.Put({Member("Game.dat", kText)}, {"note " + fake});
    MemoryStream stream;
    EXPECT_EQ(f.Extract(&stream), 0);
    EXPECT_EQ(f.unzipper.Directory()->Count(), 0u);
  }
}

TEST(ArchiveDirectory, EntriesAreOrderedByDiskAndOffsetAndSplitIntoFolderAndName) {
  ArchiveFixture f;
  f.Put({Member("GameData/", ""), Member("GameData/Game.dat", kText), Member("Game.dat", "x")});
  MemoryStream stream;
  EXPECT_EQ(f.Extract(&stream), 1);
  const TSortedEntries& d = *f.unzipper.Directory();
  ASSERT_EQ(d.Count(), 3u);
  EXPECT_EQ(d[0].directory, "GameData\\");
  EXPECT_EQ(d[0].file_name, "");
  EXPECT_EQ(d[1].directory, "GameData\\");
  EXPECT_EQ(d[1].file_name, "Game.dat");
  EXPECT_EQ(d[2].FullName(), "Game.dat");
  EXPECT_LT(d[0].local_header_offset, d[1].local_header_offset);
  EXPECT_EQ(stream.Bytes(), "x");
}

TEST(ArchiveDirectory, Zip64FieldsStandInForAllOnes) {
  ArchiveFixture f;
  ArchiveMember first = Member("Readme.txt", "readme");
  first.zip64 = true;
  ArchiveMember game = Member("Game.dat", kText);
  game.zip64 = true;
  f.Put({first, game}, {"", true});
  MemoryStream stream;
  EXPECT_EQ(f.Extract(&stream), 1);
  EXPECT_EQ(stream.Bytes(), kText);
  const TSortedEntries& d = *f.unzipper.Directory();
  ASSERT_EQ(d.Count(), 2u);
  EXPECT_TRUE(d.HasZip64());
  EXPECT_EQ(d[1].local_header_offset, 0xFFFFFFFFu);
  EXPECT_GT(d[1].LocalHeaderOffset(), 0u);
  EXPECT_EQ(d[1].UncompressedSize(), kText.size());
  EXPECT_TRUE(f.unzipper.EndRecord().zip64.has_value());
}

TEST(ArchiveDirectory, DuplicateKeysRebuildTheDirectoryFromLocalHeaders) {
  std::string archive = WriteArchive({Member("Other.txt", "other"), Member("Game.dat", kText)});
  // Point the second central header at the first member's local header.
  size_t central = CentralOffset(archive);
  size_t second = central + 46 + 9;
  Patch32(&archive, second + 42, 0);
  ArchiveFixture f;
  f.Put(archive);
  MemoryStream stream;
  EXPECT_EQ(f.Extract(&stream), 1);
  EXPECT_EQ(stream.Bytes(), kText);
  EXPECT_TRUE(f.unzipper.Scanned());
  EXPECT_EQ(f.unzipper.Directory()->Count(), 2u);
}

// The central headers of an archive, each with its name, extra field and
// comment, and where the directory starts.
std::vector<std::string> CentralHeaders(const std::string& archive, size_t* start) {
  const std::string signature = "\x35\x10\x10\x58";
  size_t at = *start = archive.find(signature);
  std::vector<std::string> headers;
  while (archive.compare(at, 4, signature) == 0) {
    const uint8_t* h = reinterpret_cast<const uint8_t*>(archive.data()) + at;
    size_t size = 46 + zip::Le16(h + 28) + zip::Le16(h + 30) + zip::Le16(h + 32);
    headers.push_back(archive.substr(at, size));
    at += size;
  }
  return headers;
}

// However the directory lists its entries, they come out in the order of their
// local header offsets; a key listed twice still sends the reader to the local
// headers, wherever the second one stands.
TEST(ArchiveDirectory, ListingOrderDoesNotMatter) {
  constexpr int kEntries = 3000;
  std::vector<ArchiveMember> members;
  for (int i = 0; i < kEntries; ++i) {
    members.push_back(Member("m" + std::to_string(i), "data " + std::to_string(i), 0));
    members.back().zip64 = true;  // the offsets come from the extra field
  }
  members.back().name = "Game.dat";
  const std::string archive = WriteArchive(members, {"", true});
  size_t start = 0;
  const std::vector<std::string> ascending = CentralHeaders(archive, &start);
  ASSERT_EQ(ascending.size(), size_t{kEntries});

  std::vector<std::string> descending(ascending.rbegin(), ascending.rend());
  std::vector<std::string> shuffled = ascending;
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(11));
  std::vector<std::string> duplicated = descending;
  duplicated.back() = duplicated.front();  // the last one read repeats the first
  struct Case {
    const char* what;
    const std::vector<std::string>& headers;
    bool scanned;
  };
  for (const Case& c : {Case{"ascending", ascending, false}, Case{"descending", descending, false},
                        Case{"shuffled", shuffled, false}, Case{"duplicated", duplicated, true}}) {
    std::string bytes = archive;
    size_t at = start;
    for (const std::string& h : c.headers) {
      bytes.replace(at, h.size(), h);
      at += h.size();
    }
    ArchiveFixture f;
    f.Put(bytes);
    MemoryStream stream;
    EXPECT_EQ(f.Extract(&stream), 1) << c.what;
    EXPECT_EQ(stream.Bytes(), "data " + std::to_string(kEntries - 1)) << c.what;
    EXPECT_EQ(f.unzipper.Scanned(), c.scanned) << c.what;
    const TSortedEntries& d = *f.unzipper.Directory();
    ASSERT_EQ(d.Count(), size_t{kEntries}) << c.what;
    for (int i = 0; i + 1 < kEntries; ++i) {
      ASSERT_EQ(d[i].file_name, "m" + std::to_string(i)) << c.what;
      ASSERT_LT(d[i].LocalHeaderOffset(), d[i + 1].LocalHeaderOffset()) << c.what;
    }
  }
}

TEST(ArchiveDirectory, DirectoryOffsetIntoNowhereScansFromTheStartAndMatchesCentralHeaders) {
  std::string archive = WriteArchive({Member("Other.txt", "other"), Member("Game.dat", kText)});
  Patch32(&archive, archive.size() - 22 + 16, 3);  // not a central header
  ArchiveFixture f;
  f.Put(archive);
  MemoryStream stream;
  EXPECT_EQ(f.Extract(&stream), 1);
  EXPECT_EQ(stream.Bytes(), kText);
  ASSERT_TRUE(f.unzipper.Scanned());
  // The central headers after the last member were read and matched: their
  // host and attributes replace the zeros of the local headers.
  const TSortedEntries& d = *f.unzipper.Directory();
  ASSERT_EQ(d.Count(), 2u);
  EXPECT_EQ(d[0].version_made_by, 20);
  EXPECT_EQ(d[1].version_made_by, 20);
}

TEST(ArchiveDirectory, UnreadableDirectoryWithoutLocalHeadersIsNotAValidZip) {
  std::string archive = WriteArchive({Member("Game.dat", kText)});
  archive[0] = 'X';  // the only local header is gone too
  Patch32(&archive, archive.size() - 22 + 16, 3);
  ArchiveFixture f;
  f.Put(archive);
  EXPECT_EQ(f.ExtractError(), "Not a valid zip file!");
  EXPECT_EQ(f.unzipper.ZipName(), "");  // the reader was closed
  EXPECT_EQ(f.unzipper.Directory(), nullptr);
}

TEST(ArchiveDirectory, MissingExtraFieldOfThePreviousHeaderIsFoundOnTheRetry) {
  std::string archive = WriteArchive({Member("Other.txt", "other"), Member("Game.dat", kText)});
  // The first central header declares 12 extra bytes that are not there.
  size_t central = CentralOffset(archive);
  Patch16(&archive, central + 30, 12);
  ArchiveFixture f;
  f.Put(archive);
  MemoryStream stream;
  EXPECT_EQ(f.Extract(&stream), 1);
  EXPECT_EQ(stream.Bytes(), kText);
  EXPECT_FALSE(f.unzipper.Scanned());
  ASSERT_EQ(f.unzipper.Directory()->Count(), 2u);
  EXPECT_EQ((*f.unzipper.Directory())[0].central_extra_length, 0);
}

TEST(ArchiveDirectory, SelfExtractingArchivesAreScannedFrom14000) {
  // A decoy member at the start, the real one after 14000 bytes of stub; the
  // end record points nowhere, so the directory comes from the scan.
  std::string decoy = WriteArchive({Member("Game.dat", "decoy", 0)});
  std::string real = WriteArchive({Member("Game.dat", kText, 0)});
  std::string bytes = decoy.substr(0, 30 + 8 + 5) + std::string(14000 - 43, '\0') + real;
  Patch32(&bytes, bytes.size() - 22 + 16, 1);
  for (auto [path, want] :
       {std::pair<std::string, std::string>{"C:\\Setup.EXE", kText}, {"C:\\Setup.nif", "decoy"}}) {
    ArchiveFixture f;
    f.Put(bytes, path);
    MemoryStream stream;
    EXPECT_EQ(f.Extract(&stream), 1) << path;
    EXPECT_EQ(stream.Bytes(), want) << path;
  }
}

TEST(ArchiveDirectory, HeldDirectoryIsReusedWhileTheFileIsUnchanged) {
  ArchiveFixture f;
  f.Put(WriteArchive({Member("Game.dat", kText)}), kCatalogue, 100);
  MemoryStream first;
  EXPECT_EQ(f.Extract(&first), 1);
  EXPECT_FALSE(f.unzipper.IsOpen());
  EXPECT_EQ(f.unzipper.directory_reads(), 1);

  f.unzipper.SetZipName("c:\\plx\\gamedata\\gpdata.NIF");  // same name, other case
  MemoryStream second;
  EXPECT_EQ(f.Extract(&second), 1);
  EXPECT_EQ(f.unzipper.directory_reads(), 1);
  EXPECT_EQ(f.unzipper.ZipName(), kCatalogue);

  f.sim.files.AddFile(kCatalogue, WriteArchive({Member("Game.dat", "new")}), 102);
  MemoryStream third;
  EXPECT_EQ(f.Extract(&third), 1);
  EXPECT_EQ(f.unzipper.directory_reads(), 2);
  EXPECT_EQ(third.Bytes(), "new");

  // The file gone: the open error, and the name and directory stay.
  f.sim.files.RemoveFile(kCatalogue);
  EXPECT_EQ(f.ExtractError().rfind("Cannot open file ", 0), 0u);
  EXPECT_EQ(f.unzipper.ZipName(), kCatalogue);
  EXPECT_NE(f.unzipper.Directory(), nullptr);

  f.unzipper.CloseArchive();
  EXPECT_EQ(f.unzipper.ZipName(), "");
  EXPECT_EQ(f.unzipper.Directory(), nullptr);
}

// Every truncation of a valid archive is either read or refused with one of
// the reader's messages; nothing else escapes.
TEST(ArchiveDirectory, EveryTruncatedPrefixFailsCleanly) {
  ArchiveMember game = Member("Game.dat", kText);
  game.zip64 = true;
  const std::string archive = WriteArchive({Member("Folder/", ""), game}, {"comment", true});
  for (size_t n = 0; n < archive.size(); ++n) {
    ArchiveFixture f;
    f.Put(archive.substr(0, n));
    std::string error = f.ExtractError();
    EXPECT_TRUE(error == "" || error == "Incomplete Zip File" || error == "Not a valid zip file!" ||
                error == "Premature end of file reached" || error == "error")
        << n << ": " << error;
    EXPECT_FALSE(f.unzipper.IsOpen());
  }
}

// Independent archives: Python's zipfile and Info-ZIP zip, signatures
// rewritten by walking the structure.
TEST(ArchiveDirectory, RewrittenStandardArchiveExtracts) {
  std::string archive = WriteArchive(
      {Member("GameData/Game.dat", "inner"), Member("Game.dat", kText)}, {"c", false, true});
  ASSERT_TRUE(RewriteSignatures(&archive));
  ArchiveFixture f;
  f.Put(archive);
  MemoryStream stream;
  EXPECT_EQ(f.Extract(&stream), 1);
  EXPECT_EQ(stream.Bytes(), kText);
}

}  // namespace
}  // namespace varnett
