// The whole-member decoding changes nothing a caller can see: every archive
// we have, sound or damaged, extracts the same with it and without it (the
// count, what is raised, the boxes, the target's bytes, size and position).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "catalogue/zip_format.h"
#include "tests/catalogue/archive_fixture.h"
#include "tests/support/file_bytes.h"
#include "tests/support/shared_vectors.h"
#include "tests/support/two_paths.h"
#include "tools/writer/signature_rewrite.h"

namespace varnett {
namespace {

namespace fs = std::filesystem;

std::string SharedFolder() {
  const char* dir = std::getenv("VARNETT_SHARED_DIR");
  return std::string(dir ? dir : VARNETT_SOURCE_DIR "/../shared");
}

// The file a uuencoded text ("begin 644 NAME" ... "end") holds; "" when it
// is not one.
std::string UuDecode(const std::string& text) {
  size_t at = text.find("begin ");
  if (at == std::string::npos) return "";
  at = text.find('\n', at);
  std::string out;
  while (at != std::string::npos && at + 1 < text.size()) {
    const size_t start = at + 1;
    at = text.find('\n', start);
    const std::string line = text.substr(start, at == std::string::npos ? at : at - start);
    if (line.empty() || line == "end" || line[0] == '`') break;
    const size_t n = size_t((line[0] - 32) & 63);
    std::string bytes;
    for (size_t i = 1; i + 3 < line.size() + 3 && bytes.size() < n; i += 4) {
      auto v = [&](size_t k) { return k < line.size() ? uint32_t((line[k] - 32) & 63) : 0u; };
      const uint32_t w = v(i) << 18 | v(i + 1) << 12 | v(i + 2) << 6 | v(i + 3);
      bytes += char(w >> 16);
      bytes += char(w >> 8);
      bytes += char(w);
    }
    bytes.resize(std::min(n, bytes.size()));
    out += bytes;
  }
  return out;
}

// A standard ZIP file given the catalogue's signatures: by its structure
// when it is sound, otherwise every signature-like run of bytes, so that
// damaged files reach the reader too.
std::string AsCatalogue(std::string zip) {
  if (RewriteSignatures(&zip)) return zip;
  auto replace = [&](const char* from, uint32_t to) {
    const char sig[4] = {char(to), char(to >> 8), char(to >> 16), char(to >> 24)};
    for (size_t at = zip.find(from, 0, 4); at != std::string::npos;
         at = zip.find(from, at + 4, 4)) {
      zip.replace(at, 4, sig, 4);
    }
  };
  replace("PK\x03\x04", zip::kLocalSignature);
  replace("PK\x01\x02", zip::kCentralSignature);
  replace("PK\x05\x06", zip::kEndSignature);
  return zip;
}

void ExpectSameBothWays(const std::string& archive, const std::string& what, int* verified) {
  std::vector<std::string> names = EntryNames(archive, 16);
  names.push_back("Game.dat");
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  for (const std::string& name : names) {
    const ExtractionSeen whole = SeeExtraction(archive, name, true);
    const ExtractionSeen exact = SeeExtraction(archive, name, false);
    const auto differ = std::mismatch(whole.bytes.begin(), whole.bytes.end(), exact.bytes.begin(),
                                      exact.bytes.end());
    EXPECT_TRUE(whole == exact) << what << " [" << name << "]\n  with:    " << whole.Describe()
                                << "\n  without: " << exact.Describe()
                                << "\n  bytes first differ at "
                                << (differ.first - whole.bytes.begin());
    *verified += exact.verified > 0;
  }
}

// Every file under `folder` (recursively) that `read` turns into an archive.
int EveryArchiveUnder(const fs::path& folder, std::string (*read)(const fs::path&)) {
  int verified = 0;
  std::vector<fs::path> files;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    if (e.is_regular_file() && e.file_size() < (size_t(32) << 20)) files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& path : files) {
    const std::string archive = read(path);
    if (!archive.empty()) ExpectSameBothWays(archive, path.string(), &verified);
  }
  return verified;
}

std::string ZipFile(const fs::path& path) {
  const std::string ext = path.extension().string();
  if (ext == ".orig" || ext == ".md" || ext == ".tsv") return "";
  std::string bytes = FileBytes(path);
  if (ext == ".uu") bytes = UuDecode(bytes);
  return AsCatalogue(bytes);
}

std::string CatalogueFile(const fs::path& path) { return FileBytes(path); }

TEST(WholeMember, TestFixturesAndFuzzCorporaExtractTheSameBothWays) {
  int verified = EveryArchiveUnder(VARNETT_SOURCE_DIR "/tests/fixtures/archives", ZipFile);
  verified += EveryArchiveUnder(VARNETT_SOURCE_DIR "/fuzz/corpus/archive_reader", CatalogueFile);
  verified += EveryArchiveUnder(VARNETT_SOURCE_DIR "/fuzz/findings", CatalogueFile);
  EXPECT_GT(verified, 0);
}

TEST(WholeMember, SharedVectorsAndOtherProjectsArchivesExtractTheSameBothWays) {
  const fs::path shared = SharedFolder();
  // Missing folders are a failure: a run without them would check nothing.
  ASSERT_TRUE(fs::is_directory(shared / "vectors")) << shared << " (set VARNETT_SHARED_DIR)";
  ASSERT_TRUE(fs::is_directory(shared / "peer-archives")) << shared;
  EXPECT_GT(EveryArchiveUnder(shared / "vectors", ZipFile), 0);
  EXPECT_GT(EveryArchiveUnder(shared / "peer-archives", ZipFile), 0);
}

std::string Text(size_t n) {
  std::string s;
  while (s.size() < n) s += "Game\tSudden Attack\tD:\\Nexon\\" + std::to_string(s.size()) + "\r\n";
  s.resize(n);
  return s;
}

// Members the whole-member decoding declines or gets wrong on purpose, each
// of which must end as the exact decoder ends it: the target cleared of what
// the first attempt wrote, the same error, the same verdict.
TEST(WholeMember, MembersThatAreNotWholeEndAsTheExactDecoderEndsThem) {
  const std::string text = Text(200000);
  const std::string deflated = DeflateRaw(text);
  struct Case {
    const char* what;
    uint16_t method;
    std::optional<uint32_t> crc32;
    std::optional<uint64_t> uncompressed;
    std::optional<uint64_t> compressed;
    std::optional<std::string> data;
  };
  std::string flipped = deflated;
  flipped[deflated.size() / 2] ^= 0x21;
  const Case cases[] = {
      {"sound deflated", 8, {}, {}, {}, {}},
      {"sound stored", 0, {}, {}, {}, {}},
      {"deflated, CRC-32 differs", 8, 0x1234567u, {}, {}, {}},
      {"stored, CRC-32 differs", 0, 0x1234567u, {}, {}, {}},
      {"deflated, recorded one byte short", 8, {}, text.size() - 1, {}, {}},
      {"deflated, recorded one byte long", 8, {}, text.size() + 1, {}, {}},
      {"deflated, recorded 40000 bytes", 8, {}, 40000u, {}, {}},
      {"deflated, stream cut by its recorded size", 8, {}, {}, deflated.size() - 9, {}},
      {"deflated, a flipped byte", 8, {}, {}, {}, flipped},
      // The data recorded as reaching past the end of the file: by a little
      // (the last block read is cut short) and by far (the stream ends
      // inside the file, in the first block).
      {"deflated, recorded past the end of the file", 8, {}, {}, deflated.size() + 100, {}},
      {"deflated, recorded far past the end of the file", 8, {}, {}, 15925486u, {}},
      {"stored, recorded shorter than its bytes", 0, {}, text.size() - 5, {}, {}},
      {"stored, recorded past the end of the file", 0, {}, {}, text.size() + 100, {}},
  };
  for (const Case& c : cases) {
    ArchiveMember m = Member("Game.dat", text, c.method);
    if (c.method == 8) m.compressed = c.data ? *c.data : deflated;
    m.crc32 = c.crc32;
    m.uncompressed_size = c.uncompressed;
    m.compressed_size = c.compressed;
    int verified = 0;
    ExpectSameBothWays(WriteArchive({m}), c.what, &verified);
  }
}

}  // namespace
}  // namespace varnett
