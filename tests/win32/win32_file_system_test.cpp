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
  uint32_t patience_ms = 0;
  ASSERT_EQ(fs.AppendLine(file, "one", patience_ms), AppendResult::kWritten);
  ASSERT_EQ(fs.AppendLine(file, Ko("둘"), patience_ms), AppendResult::kWritten);
  EXPECT_EQ(fs.AppendLine(folder, "a folder", patience_ms), AppendResult::kFailed);
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

// Only a plain file goes. A folder of that name keeps everything in it, and
// a link to a folder keeps its target: the test prefixes hold such a link,
// C:\varnett-links\Varnett.exe.log, made from outside (Wine cannot make
// links itself).
TEST(Win32FileSystem, RemovePlainFileLeavesFoldersAndLinksAlone) {
  Win32FileSystem fs;
  support::TempFolder temp(L"varnett_plain_");
  const std::string root = Narrow(temp.path());
  const std::string file = root + "\\" + Ko("기록") + ".log";
  uint32_t patience_ms = 0;
  ASSERT_EQ(fs.AppendLine(file, "x", patience_ms), AppendResult::kWritten);
  EXPECT_TRUE(fs.RemovePlainFile(file));
  EXPECT_FALSE(fs.FileExists(file));
  EXPECT_FALSE(fs.RemovePlainFile(file));  // gone: nothing to delete

  const std::string folder = root + "\\Varnett.exe.log";
  ASSERT_TRUE(fs.CreateFolders(folder + "\\sub"));
  ASSERT_EQ(fs.AppendLine(folder + "\\sub\\keep.txt", "x", patience_ms), AppendResult::kWritten);
  EXPECT_FALSE(fs.RemovePlainFile(folder));
  EXPECT_TRUE(fs.FileExists(folder + "\\sub\\keep.txt"));

  const std::string link = "C:\\varnett-links\\Varnett.exe.log";
  if (!fs.DirectoryExists(link)) GTEST_SKIP() << "no folder link " << link << " in this prefix";
  EXPECT_FALSE(fs.RemovePlainFile(link));
  EXPECT_TRUE(fs.FileExists(link + "\\keep.txt"));
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
