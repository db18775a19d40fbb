// The signature rewrite walks the structure: an archive written with the
// standard signatures becomes, byte for byte, the same archive written with
// the catalogue's, whatever the members and comment hold; a file whose
// records do not fit together is refused and left as it was.
#include "tools/writer/signature_rewrite.h"

#include <gtest/gtest.h>

#include "catalogue/zip_format.h"
#include "tests/catalogue/archive_fixture.h"

namespace varnett {
namespace {

// Every standard signature, and the catalogue's end signature, in member data.
const std::string kSignatureBytes = std::string("PK\1\2PK\3\4PK\5\6PK\6\6PK\6\7PK\7\x08", 24) +
                                    "\x42\x02\x79\x0b" + std::string(40, 'x');

ArchiveMember Described(const std::string& name, const std::string& data, uint16_t method,
                        bool signature, bool zip64) {
  ArchiveMember m = Member(name, data, method);
  m.data_descriptor = true;
  m.descriptor_signature = signature;
  m.zip64 = zip64;
  return m;
}

struct Shape {
  const char* what;
  std::vector<ArchiveMember> members;
  ArchiveOptions options;
};

std::vector<Shape> Shapes() {
  ArchiveOptions comment;
  // An end record's signature and 18 more bytes inside the comment.
  comment.comment = std::string("PK\5\6", 4) + std::string(30, '\0');
  ArchiveOptions zip64_end;
  zip64_end.zip64_end = true;
  ArchiveMember zip64 = Member("Game.dat", kSignatureBytes, 0);
  zip64.zip64 = true;
  return {
      {"signatures inside stored data", {Member("Game.dat", kSignatureBytes, 0)}, {}},
      {"comment holding an end record", {Member("Game.dat", "abc")}, comment},
      {"zip64 values and end record", {zip64, Member("b", "")}, zip64_end},
      {"descriptors of every shape",
       {Described("a", kSignatureBytes, 0, true, false),
        Described("b", kSignatureBytes, 8, false, false),
        Described("c", kSignatureBytes, 0, true, true),
        Described("d", kSignatureBytes, 8, false, true), Described("empty", "", 0, false, false),
        Member("folder/", "", 0)},
       {}},
      {"no members", {}, {}},
  };
}

TEST(SignatureRewrite, GivesTheArchiveWrittenWithTheCatalogueSignatures) {
  for (const Shape& shape : Shapes()) {
    SCOPED_TRACE(shape.what);
    ArchiveOptions standard = shape.options;
    standard.standard_signatures = true;
    std::string bytes = WriteArchive(shape.members, standard);
    ASSERT_TRUE(RewriteSignatures(&bytes));
    EXPECT_TRUE(bytes == WriteArchive(shape.members, shape.options));
  }
}

TEST(SignatureRewrite, RefusesRecordsThatDoNotFitTogether) {
  ArchiveOptions standard;
  standard.standard_signatures = true;
  const std::vector<ArchiveMember> members = {Described("a", kSignatureBytes, 8, true, false),
                                              Member("b", kSignatureBytes, 0)};
  const std::string good = WriteArchive(members, standard);
  auto field32 = [&](size_t at) { return zip::Le32(reinterpret_cast<const uint8_t*>(&good[at])); };
  const size_t first_central = field32(good.size() - zip::kEndSize + zip::kEndDirectoryOffset);
  const size_t second_central = first_central + zip::kCentralSize + 1;  // after the name "a"
  std::vector<std::pair<const char*, std::string>> damaged;
  for (size_t n = 0; n < good.size(); ++n)
    damaged.push_back({"a truncated copy", good.substr(0, n)});
  {
    std::string s = good;  // the second member's local header one byte later
    const size_t at = second_central + zip::kCentralLocalOffset;
    Patch32(&s, at, field32(at) + 1);
    damaged.push_back({"a local header offset off by one", s});
  }
  {
    std::string s = good;  // flag bit 3 cleared in the central header only
    Patch16(&s, first_central + zip::kCentralFlags, 0);
    damaged.push_back({"a data descriptor its central header does not announce", s});
  }
  {
    ArchiveOptions zip64_end = standard;
    zip64_end.zip64_end = true;
    std::string s = WriteArchive(members, zip64_end);
    std::string sound = s;
    ASSERT_TRUE(RewriteSignatures(&sound));
    const size_t record = zip::Le32(reinterpret_cast<const uint8_t*>(
        &s[s.size() - zip::kEndSize - zip::kLocatorSize + zip::kLocatorRecordOffset]));
    Patch32(&s, record + zip::kZip64EndRecordSize, 44 + 4);  // four bytes that are not there
    damaged.push_back({"a zip64 end record longer than the space before its locator", s});
  }
  {
    std::string s = good;  // one byte more after the end record's comment
    damaged.push_back({"bytes after the comment", s + "x"});
  }
  for (const auto& [what, bytes] : damaged) {
    SCOPED_TRACE(std::string(what) + ", " + std::to_string(bytes.size()) + " bytes");
    std::string copy = bytes;
    EXPECT_FALSE(RewriteSignatures(&copy));
    EXPECT_TRUE(copy == bytes);
  }
}

}  // namespace
}  // namespace varnett
