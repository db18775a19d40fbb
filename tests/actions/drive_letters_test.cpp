#include "actions/drive_letters.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_drives.h"

namespace varnett {
namespace {

TEST(DriveLetters, EveryLetterInUseAscendingWithItsTarget) {
  SimDrives drives;
  drives.Use('Z', "\\??\\C:\\Games\\SA");
  drives.Use('C', "\\Device\\HarddiskVolume1");
  drives.Use('E', "\\Device\\CdRom0", 5);  // no medium: still in use
  drives.Use('N', "\\Device\\LanmanRedirector\\;N:0\\srv\\share", 4);
  drives.Use('Q', "", kDriveUnknown);
  drives.letters['Q'].target_readable = false;  // listed all the same

  DriveLetters letters(drives);
  EXPECT_EQ(letters.InUse(),
            (std::vector<std::string>{"C:=\\Device\\HarddiskVolume1", "E:=\\Device\\CdRom0",
                                      "N:=\\Device\\LanmanRedirector\\;N:0\\srv\\share",
                                      "Q:=", "Z:=\\??\\C:\\Games\\SA"}));
  // Each letter is asked once for its type; only letters in use for a target.
  ASSERT_EQ(drives.queries.size(), 26u + 5u);
  EXPECT_EQ(drives.queries[0], "type A:\\");
  EXPECT_EQ(drives.queries[3], "target C:");
  EXPECT_EQ(drives.queries.back(), "target Z:");
}

TEST(DriveLetters, NothingInUseGivesAnEmptyList) {
  SimDrives drives;
  EXPECT_TRUE(DriveLetters(drives).InUse().empty());
}

}  // namespace
}  // namespace varnett
