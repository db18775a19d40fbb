// The real file system under Windows (Wine in the test command), with
// Korean names to prove the explicit code page at the boundary.
#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/win32/temp_folder.h"
#include "text/conversions.h"
#include "text/win32/wide.h"

namespace varnett {
namespace {

TEST(Win32FileSystem, CreatesNestedKoreanFoldersAndAppendsLines) {
  Win32FileSystem fs;
  support::TempFolder temp(L"varnett_fs_");
  const std::string root = Narrow(temp.path());
  std::string folder = root + "\\" + Ko("로그") + "\\2026\\12";
  ASSERT_TRUE(fs.CreateFolders(folder));
  EXPECT_TRUE(fs.DirectoryExists(folder));
  EXPECT_TRUE(fs.CreateFolders(folder));  // already there

  std::string file = folder + "\\" + Ko("기록") + ".log";
  EXPECT_FALSE(fs.FileExists(file));
  ASSERT_EQ(fs.AppendLine(file, "one", 0), AppendResult::kWritten);
  ASSERT_EQ(fs.AppendLine(file, Ko("둘"), 0), AppendResult::kWritten);
  EXPECT_EQ(fs.AppendLine(folder, "a folder", 0), AppendResult::kFailed);
  EXPECT_TRUE(fs.FileExists(file));
  EXPECT_FALSE(fs.FileExists(folder));
  EXPECT_FALSE(fs.DirectoryExists(file));
  EXPECT_TRUE(fs.FileAge(file).has_value());

  std::string error;
  auto source = fs.OpenForReading(file, &error);
  ASSERT_TRUE(source) << error;
  std::string expected = "one\r\n" + Ko("둘") + "\r\n";
  ASSERT_EQ(source->Size(), expected.size());
  std::string read(expected.size(), '\0');
  ASSERT_TRUE(source->ReadAt(0, read.data(), read.size()));
  EXPECT_EQ(read, expected);
  char past;
  EXPECT_FALSE(source->ReadAt(expected.size(), &past, 1));
  source.reset();

  EXPECT_TRUE(fs.RemoveFile(file));
  EXPECT_FALSE(fs.RemoveFile(file));
  EXPECT_FALSE(fs.FileAge(file).has_value());
}

TEST(Win32FileSystem, OpenMissingFileGivesTheSystemReason) {
  Win32FileSystem fs;
  std::string error;
  EXPECT_FALSE(fs.OpenForReading(
      Narrow(support::TempFolder(L"varnett_missing_").path()) + "\\x.nif", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_NE(error.back(), '\n');
}

}  // namespace
}  // namespace varnett
