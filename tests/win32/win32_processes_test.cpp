// The process and shell helpers on the real platform (Wine in the test
// command), with Korean names to prove the explicit code page.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "actions/process_helpers.h"
#include "app/win32_platform.h"
#include "text/conversions.h"
#include "text/win32/wide.h"

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
  uint32_t exit_code = 0;
  EXPECT_TRUE(ExecuteCommand(real.processes, "", "cmd.exe /c exit 3", StartWindow::kHidden,
                             WaitMode::kUntilEnded, &exit_code));
  EXPECT_EQ(exit_code, 3u);
  EXPECT_FALSE(ExecuteCommand(real.processes, "", "varnett_no_such_program.exe",
                              StartWindow::kHidden, WaitMode::kUntilEnded));
  // By its full path, the first token being only what the program reads.
  const std::string cmd = real.processes.SystemProgram("cmd.exe");
  EXPECT_TRUE(ExecuteCommand(real.processes, cmd, "\"" + cmd + "\" /c exit 5", StartWindow::kHidden,
                             WaitMode::kUntilEnded, &exit_code));
  EXPECT_EQ(exit_code, 5u);
  RunOutcome outcome =
      real.processes.Run("", "cmd.exe /c exit 4", StartWindow::kProgramChooses, WaitMode::kNone);
  EXPECT_TRUE(outcome.started);
  EXPECT_FALSE(outcome.exit_code);  // not waited for
}

TEST(Win32ProcessHelpers, WaitedCommandHasFinishedItsWork) {
  Win32Platform real;
  Processes& p = real.processes;
  std::string marker = TempFolder(Ko("표시"));
  DeleteFileW(Wide(marker).c_str());
  ASSERT_TRUE(ExecuteCommand(p, "", "cmd.exe /c echo x> \"" + marker + "\"", StartWindow::kHidden,
                             WaitMode::kUntilEnded));
  EXPECT_TRUE(Exists(marker));
  DeleteFileW(Wide(marker).c_str());

  p.ShellOpenAndWait(p.SystemProgram("cmd.exe"), "/c echo x> \"" + marker + "\"",
                     StartWindow::kHidden);
  EXPECT_TRUE(Exists(marker));
  DeleteFileW(Wide(marker).c_str());
}

// Another button's handler runs while the shell's process is waited for.
TEST(Win32ProcessHelpers, ShellWaitProcessesMessagesMeanwhile) {
  static bool handled = false;
  WNDCLASSW cls = {};
  cls.lpfnWndProc = [](HWND window, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
    if (message == WM_APP) handled = true;
    return DefWindowProcW(window, message, wparam, lparam);
  };
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = L"VarnettShellWaitTest";
  RegisterClassW(&cls);
  HWND window = CreateWindowExW(0, cls.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                cls.hInstance, nullptr);
  ASSERT_TRUE(window);
  PostMessageW(window, WM_APP, 0, 0);
  Win32Platform real;
  // "ping" pauses a second between its two echoes, whatever the network does.
  real.processes.ShellOpenAndWait(real.processes.SystemProgram("cmd.exe"),
                                  "/c ping -n 2 127.0.0.1 >nul", StartWindow::kHidden);
  EXPECT_TRUE(handled);
  DestroyWindow(window);
}

// Only "not found" lets OpenDocument try the shell next.
TEST(Win32ProcessHelpers, ExecuteAnswersFileNotFoundForAMissingProgram) {
  Win32Platform real;
  EXPECT_EQ(real.processes.Execute("varnett_no_such_program.exe "), OpenResult::kFileNotFound);
  EXPECT_EQ(real.processes.Execute("cmd.exe /c exit 0"), OpenResult::kOpened);
  EXPECT_EQ(real.processes.ShellOpen(0, "Open", "varnett_no_such_program.exe", ""),
            OpenResult::kFileNotFound);
}

TEST(Win32ProcessHelpers, WildcardDeleteEmptiesTheFolderAndKeepsIt) {
  Win32Platform real;
  Processes& p = real.processes;
  std::string root = MakeTree(Ko("스크린샷") + "_wild_");
  EXPECT_TRUE(ShellDeletePath(p, root + "\\*.*", false));
  EXPECT_TRUE(Exists(root));
  EXPECT_TRUE(IsEmptyFolder(root));
  RemoveDirectoryW(Wide(root).c_str());
}

TEST(Win32ProcessHelpers, TrailingBackslashDeletesTheFolderItself) {
  Win32Platform real;
  Processes& p = real.processes;
  std::string root = MakeTree(Ko("스크린샷") + "_self_");
  EXPECT_TRUE(ShellDeletePath(p, root + "\\", false));
  EXPECT_FALSE(Exists(root));
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
