// The process and shell helpers on the real platform (Wine in the test
// command), with Korean names to prove the explicit code page.
#include <gtest/gtest.h>
#include <windows.h>

#include "actions/process_helpers.h"
#include "actions/replace_occurrences.h"
#include "platform/text.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace varnett {
namespace {

std::string TempFolder(const std::string& name) {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  return Narrow(base) + name + std::to_string(GetCurrentProcessId());
}

bool Exists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeFile(const std::string& path) {
  HANDLE file =
      CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written;
  WriteFile(file, "x", 1, &written, nullptr);
  CloseHandle(file);
}

// A folder holding two files and a sub-folder with one file.
std::string MakeTree(const std::string& name) {
  std::string root = TempFolder(name);
  CreateDirectoryW(Wide(root).c_str(), nullptr);
  CreateDirectoryW(Wide(root + "\\" + Ko("하위")).c_str(), nullptr);
  MakeFile(root + "\\a.jpg");
  MakeFile(root + "\\" + Ko("스샷") + ".bmp");
  MakeFile(root + "\\" + Ko("하위") + "\\b.jpg");
  return root;
}

bool IsEmptyFolder(const std::string& folder) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(Wide(folder + "\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return false;
  bool empty = true;
  do {
    std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") empty = false;
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return empty;
}

TEST(Win32ProcessHelpers, ChildEndingWithAnErrorStillCountsAsStarted) {
  Win32Platform real;
  Platform p = real.View();
  uint32_t exit_code = 0;
  EXPECT_TRUE(ExecuteCommand(p, "cmd.exe /c exit 3", true, true, &exit_code));
  EXPECT_EQ(exit_code, 3u);
  EXPECT_FALSE(ExecuteCommand(p, "varnett_no_such_program.exe", true, true));
}

TEST(Win32ProcessHelpers, WaitedCommandHasFinishedItsWork) {
  Win32Platform real;
  Platform p = real.View();
  std::string marker = TempFolder(Ko("표시"));
  DeleteFileW(Wide(marker).c_str());
  ASSERT_TRUE(ExecuteCommand(p, "cmd.exe /c echo x> \"" + marker + "\"", true, true));
  EXPECT_TRUE(Exists(marker));
  DeleteFileW(Wide(marker).c_str());

  ShellExecuteAndWait(p, "cmd.exe", "/c echo x> \"" + marker + "\"", kSwHide);
  EXPECT_TRUE(Exists(marker));
  EXPECT_TRUE(ShellDeleteFile(p, marker));
  EXPECT_FALSE(Exists(marker));
}

TEST(Win32ProcessHelpers, WinExecAnswersFileNotFoundForAMissingProgram) {
  Win32Processes processes;
  EXPECT_EQ(processes.WinExec("varnett_no_such_program.exe ", kSwShowNormal), kErrorFileNotFound);
  EXPECT_GT(processes.WinExec("cmd.exe /c exit 0", kSwHide), 31u);
}

TEST(Win32ProcessHelpers, WildcardDeleteEmptiesTheFolderAndKeepsIt) {
  Win32Platform real;
  Platform p = real.View();
  std::string root = MakeTree(Ko("스크린샷") + "_wild_");
  EXPECT_TRUE(ShellDeletePath(p, root + "\\*.*", false));
  EXPECT_TRUE(Exists(root));
  EXPECT_TRUE(IsEmptyFolder(root));
  RemoveDirectoryW(Wide(root).c_str());
}

TEST(Win32ProcessHelpers, TrailingBackslashDeletesTheFolderItself) {
  Win32Platform real;
  Platform p = real.View();
  std::string root = MakeTree(Ko("스크린샷") + "_self_");
  EXPECT_TRUE(ShellDeletePath(p, root + "\\", false));
  EXPECT_FALSE(Exists(root));
}

TEST(Win32ProcessHelpers, DeletingAMissingFileIsFalseAndShowsNothing) {
  Win32Platform real;
  Platform p = real.View();
  // A dialog would block this call; returning at all shows none was opened.
  EXPECT_FALSE(ShellDeleteFile(p, TempFolder("varnett_missing_") + "\\x.log"));
}

TEST(Win32TextCase, UpperCaseMapFollowsTheSystemInCodePage949) {
  Win32TextCase text_case;
  UpperCaseMap map = BuildUpperCaseMap(text_case);
  for (int i = 0; i < 128; ++i) {
    int expected = i >= 'a' && i <= 'z' ? i - 'a' + 'A' : i;
    EXPECT_EQ(map[i], expected) << i;
  }
  // Full-width letters are double-byte in CP949 and follow the system's rule.
  EXPECT_EQ(text_case.UpperCase("\xA3\xE1z" + Ko("가")), "\xA3\xC1Z" + Ko("가"));
}

TEST(Win32Drives, SystemDriveInUseAndItsTargetReported) {
  Win32Drives drives;
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  std::string system_drive = Narrow(std::wstring(windows, 2));
  EXPECT_NE(drives.DriveType(system_drive + "\\"), kDriveNoRootDir);
  EXPECT_FALSE(drives.DosDeviceTarget(system_drive).empty());
}

}  // namespace
}  // namespace varnett
