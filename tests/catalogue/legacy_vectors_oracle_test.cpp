// The independent legacy vectors and damaged copies of them (single bits
// flipped, compressed data cut short), decoded by our decoders and by Info-ZIP's
// unzip. Where both read a member to its end, the bytes agree, whatever the
// CRC-32 says; where only one does, the case must be one of the known ways
// the two decoders part (OneSided below). (Debian's unzip has no unreducer:
// it declines methods 2 to 5, so those are only counted.)
#include <gtest/gtest.h>

#ifndef _WIN32

#include <iostream>
#include <map>
#include <sstream>

#include "catalogue/decoders.h"
#include "tests/catalogue/archive_fixture.h"
#include "tests/support/file_bytes.h"
#include "tests/support/member_buffers.h"
#include "tests/support/shared_vectors.h"
#include "tests/support/unzip_oracle.h"

namespace varnett {
namespace {

uint32_t Get16(const std::string& s, size_t at) {
  return uint8_t(s[at]) | uint32_t(uint8_t(s[at + 1])) << 8;
}
uint32_t Get32(const std::string& s, size_t at) { return Get16(s, at) | Get16(s, at + 2) << 16; }

struct Vector {
  std::string name;
  uint16_t method, flags;
  std::string packed, original;
};

// The vectors hold one member each, its local header at the start.
Vector Load(const std::string& dir, const std::string& name) {
  Vector v;
  v.name = name;
  std::string zip;
  EXPECT_TRUE(ReadFileBytes(dir + name, &zip)) << name;
  EXPECT_TRUE(ReadFileBytes(dir + name.substr(0, name.size() - 4) + ".orig", &v.original)) << name;
  if (zip.size() < 30 || Get32(zip, 0) != 0x04034B50) {
    ADD_FAILURE() << name << ": no local header at the start";
    return v;
  }
  v.flags = uint16_t(Get16(zip, 6));
  v.method = uint16_t(Get16(zip, 8));
  const size_t data = 30 + Get16(zip, 26) + Get16(zip, 28);
  v.packed = zip.substr(data, Get32(zip, 18));
  return v;
}

// Deterministic damage: the data as it is, cut short at a few lengths, and
// one bit flipped at places spread over the data.
std::vector<std::pair<std::string, std::string>> Mutations(const std::string& packed) {
  std::vector<std::pair<std::string, std::string>> out = {{"as is", packed}};
  const size_t n = packed.size();
  for (size_t keep : {size_t(0), size_t(1), n / 3, n / 2, n - 1}) {
    if (keep < n) out.push_back({"cut to " + std::to_string(keep), packed.substr(0, keep)});
  }
  const size_t bits = n * 8;
  for (size_t j = 0; j < 16 && bits > 0; ++j) {
    const size_t bit = (j * bits) / 16 + j % 8;
    if (bit >= bits) continue;
    std::string s = packed;
    s[bit / 8] = char(s[bit / 8] ^ (1 << (bit % 8)));
    out.push_back({"bit " + std::to_string(bit) + " flipped", s});
  }
  return out;
}

// What our decoder writes for the member, the bytes it got out before any
// error included.
std::string OurBytes(uint16_t method, uint16_t flags, const std::string& packed, size_t claim) {
  const auto* data = reinterpret_cast<const uint8_t*>(packed.data());
  return DecodeBytes(data, packed.size(), claim, [&](MemberIO& io) {
    if (method == 1) Unshrink(io);
    if (method >= 2 && method <= 5) Unreduce(io, method - 1);
    if (method == 6) Explode(io, flags);
  });
}

// Why only one decoder read a damaged member to its end. Each is a known,
// deliberate difference; anything else is a fault in one of them.
enum class OneSided {
  // Unshrink, data cut short or a code damaged: both stop early, ours where
  // the data or the code ends (its bytes a prefix of unzip's), but unzip
  // reports no more than a CRC mismatch.
  kUnzipCallsAShortMemberABadCrc,
  // Unshrink, a code damaged: ours stops at it, unzip goes on to the
  // member's length (ours' bytes a prefix of unzip's).
  kUnzipGoesPastACodeOursRefuses,
  // Explode: the damaged data asks for bits past its end; ours reads a few
  // bytes past it as zeros (MemberIO::Overrun), unzip stops and complains.
  kUnzipWantsDataPastTheEnd,
  // Explode: unzip refuses the damaged code lengths; ours checks only that
  // they number as many as the symbols, and decodes with the codes they give.
  kUnzipRefusesTheCodeLengths,
  // Explode of an empty member: ours writes nothing and so needs no tables;
  // unzip reads the damaged tables first and refuses them.
  kEmptyMemberNeedsNoData,
  kUnexplained,
};

const char* Name(OneSided c) {
  switch (c) {
    case OneSided::kUnzipCallsAShortMemberABadCrc:
      return "unzip calls a short member a bad CRC";
    case OneSided::kUnzipGoesPastACodeOursRefuses:
      return "unzip goes past a code ours refuses";
    case OneSided::kUnzipWantsDataPastTheEnd:
      return "unzip wants data past the end";
    case OneSided::kUnzipRefusesTheCodeLengths:
      return "unzip refuses the code lengths";
    case OneSided::kEmptyMemberNeedsNoData:
      return "empty member needs no data";
    case OneSided::kUnexplained:
      break;
  }
  return "unexplained";
}

bool Has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

OneSided Classify(uint16_t method, const std::string& original, const std::string& ours,
                  const UnzipResult& unzip, bool ours_ok) {
  const std::string& out = unzip.output;
  if (method == 1 && !ours_ok && ours.size() <= out.size() &&
      out.compare(0, ours.size(), ours) == 0)
    return out.size() < original.size() ? OneSided::kUnzipCallsAShortMemberABadCrc
                                        : OneSided::kUnzipGoesPastACodeOursRefuses;
  if (method == 6 && ours_ok && Has(unzip.messages, "bytes required to uncompress"))
    return OneSided::kUnzipWantsDataPastTheEnd;
  if (method == 6 && ours_ok && Has(unzip.messages, "invalid compressed data to explode"))
    return original.empty() ? OneSided::kEmptyMemberNeedsNoData
                            : OneSided::kUnzipRefusesTheCodeLengths;
  return OneSided::kUnexplained;
}

struct Tally {
  int both = 0, verified = 0, neither = 0, declined = 0;
};

TEST(LegacyVectorsOracle, ReaderAndUnzipAgreeOnDamagedCopies) {
  const std::string dir = LegacyVectorsFolder();
  std::string manifest;
  ASSERT_TRUE(ReadFileBytes(dir + "MANIFEST.tsv", &manifest))
      << "shared vectors not found at " << dir;
  std::istringstream lines(manifest);
  std::string line;
  std::getline(lines, line);  // header
  std::map<int, Tally> tallies;
  std::map<std::pair<int, OneSided>, int> one_sided;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string archive;
    if (!(fields >> archive)) continue;
    const Vector v = Load(dir, archive);
    for (const auto& [what, packed] : Mutations(v.packed)) {
      SCOPED_TRACE(archive + ", " + what);
      ArchiveMember m = Member("Game.dat", v.original, v.method);
      m.flags = v.flags;
      m.compressed = packed;
      ArchiveOptions standard;
      standard.standard_signatures = true;
      const UnzipResult unzip = UnzipPrint(WriteArchive({m}, standard));
      ASSERT_TRUE(unzip.ran) << "Info-ZIP unzip is needed on the PATH";
      // Ours reads a member to its end when it gives as many bytes as the
      // member claims (the decoders raise nothing on damaged data).
      const std::string ours = OurBytes(v.method, v.flags, packed, v.original.size());
      const bool ours_ok = ours.size() == v.original.size();
      const bool unzip_ok = unzip.Decoded();
      Tally& t = tallies[v.method];
      if (unzip.status == 81) {  // unsupported method
        ++t.declined;
      } else if (ours_ok && unzip_ok) {
        ++t.both;
        t.verified += ours == v.original;
        EXPECT_TRUE(ours == unzip.output) << "unzip gives " << unzip.output.size() << " bytes";
        // The reader itself agrees, and verifies exactly the undamaged ones.
        ArchiveFixture f;
        f.Put({m});
        MemoryStream stream;
        EXPECT_EQ(f.Extract(&stream), ours == v.original ? 1 : 0);
        EXPECT_TRUE(stream.Bytes() == ours);
      } else if (ours_ok || unzip_ok) {
        const OneSided c = Classify(v.method, v.original, ours, unzip, ours_ok);
        ++one_sided[{v.method, c}];
        EXPECT_TRUE(c != OneSided::kUnexplained)
            << "only " << (ours_ok ? "ours" : "unzip") << " reads it to the end: ours gives "
            << ours.size() << " bytes, unzip " << unzip.output.size() << " of " << v.original.size()
            << "; unzip says: " << unzip.messages.substr(0, unzip.messages.find('\n'));
      } else {
        ++t.neither;
      }
    }
  }
  std::ostringstream summary;
  summary << "method: both read to the end (of them the original) / neither / declined by unzip\n";
  for (const auto& [method, t] : tallies) {
    summary << "  " << method << ": " << t.both << " (" << t.verified << ") / " << t.neither
            << " / " << t.declined << "\n";
  }
  summary << "only one reads to the end, by method and why:\n";
  for (const auto& [key, n] : one_sided)
    summary << "  " << key.first << ", " << Name(key.second) << ": " << n << "\n";
  std::cout << summary.str();
  EXPECT_FALSE(tallies.empty());
}

}  // namespace
}  // namespace varnett

#else

TEST(LegacyVectorsOracle, ReaderAndUnzipAgreeOnDamagedCopies) {
  GTEST_SKIP() << "Info-ZIP unzip, the oracle, is run by the native build only";
}

#endif
