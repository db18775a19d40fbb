// Members compressed by an independent encoder with every legacy method must
// come out byte for byte, with their CRC-32 verified.
#include <gtest/gtest.h>

#include <sstream>

#include "catalogue/unzipper.h"
#include "platform/sim/sim_platform.h"
#include "tests/support/file_bytes.h"
#include "tests/support/shared_vectors.h"
#include "tools/writer/signature_rewrite.h"

namespace varnett {
namespace {

const std::string kVectors = LegacyVectorsFolder();

TEST(LegacyVectors, EveryMethodReproducesTheOriginal) {
  std::string manifest;
  // Missing vectors are a failure: a run without them would pass while
  // checking none of the legacy methods.
  ASSERT_TRUE(ReadFileBytes(kVectors + "MANIFEST.tsv", &manifest))
      << "shared legacy vectors not found at " << kVectors << " (set VARNETT_SHARED_DIR)";
  std::istringstream lines(manifest);
  std::string line;
  std::getline(lines, line);  // header
  int checked = 0;
  while (std::getline(lines, line)) {
    if (line.empty()) continue;
    std::istringstream fields(line);
    std::string archive, member, method;
    fields >> archive >> member >> method;
    SCOPED_TRACE(archive);
    std::string zip, original;
    ASSERT_TRUE(ReadFileBytes(kVectors + archive, &zip));
    ASSERT_TRUE(
        ReadFileBytes(kVectors + archive.substr(0, archive.size() - 4) + ".orig", &original));
    ASSERT_TRUE(RewriteSignatures(&zip));

    SimPlatform sim;
    sim.files.AddFile("C:\\PLX\\GameData\\GPData.nif", zip);
    TUnZipper unzipper({sim.files, sim.dialogs});
    unzipper.SetZipName("C:\\PLX\\GameData\\GPData.nif");
    MemoryStream stream;
    EXPECT_EQ(unzipper.ExtractToStream(&stream, member), 1);
    EXPECT_TRUE(stream.Bytes() == original)
        << "method " << method << ": got " << stream.Size() << " bytes, want " << original.size();
    EXPECT_TRUE(sim.dialogs.shown.empty());
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace varnett
