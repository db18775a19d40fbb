// A folder mapped to the highest free letter with the system's "subst" (the
// test prefix's replacement under Wine), reached through that letter, and
// removed again when the drives are removed.
#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>

#include "actions/drive_letters.h"
#include "actions/drive_mapper.h"
#include "actions/virtual_drive_set.h"
#include "app/win32_platform.h"
#include "platform/win32/scoped_handle.h"
#include "tests/support/file_bytes.h"
#include "tests/support/win32/temp_folder.h"
#include "tests/support/win32/test_process.h"
#include "tests/wintools/subst/stand_in.h"
#include "text/conversions.h"
#include "text/win32/wide.h"

namespace varnett {
namespace {

// Every command line the test prefix's "subst" was given, one per line (UTF-8).
std::string SubstLog() {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  return FileBytes(std::wstring(system) + L"\\subst.log");
}

bool HasLineEndingWith(const std::string& log, const std::string& ending) {
  std::istringstream lines(log);
  std::string line;
  while (std::getline(lines, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (line.size() >= ending.size() &&
        line.compare(line.size() - ending.size(), ending.size(), ending) == 0)
      return true;
  }
  return false;
}

// Removes the drives still mapped when the test ends, however it ends, so
// that a failed run leaves no letter taken for the tests after it.
class DrivesRemovedAtEnd {
 public:
  DrivesRemovedAtEnd(Processes& processes, const VirtualDriveSet& drives)
      : processes_(processes), drives_(drives) {}
  ~DrivesRemovedAtEnd() {
    VirtualDriveSet mapped;
    for (auto slot : {&VirtualDriveSet::ScreenshotDrive, &VirtualDriveSet::NetmarbleDrive,
                      &VirtualDriveSet::NexonDrive}) {
      const std::string& drive = drives_.*slot;
      if (!drive.empty() && GetDriveTypeW(Wide(drive + "\\").c_str()) != DRIVE_NO_ROOT_DIR)
        mapped.*slot = drive;
    }
    RemoveVirtualDrives(processes_, mapped);
  }
  DrivesRemovedAtEnd(const DrivesRemovedAtEnd&) = delete;
  DrivesRemovedAtEnd& operator=(const DrivesRemovedAtEnd&) = delete;

 private:
  Processes& processes_;
  const VirtualDriveSet& drives_;
};

std::string ReadAll(const std::string& path) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<cannot open>";
  char buffer[64];
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer, &read, nullptr);
  CloseHandle(file);
  return std::string(buffer, read);
}

void WriteAll(const std::string& path, const std::string& text) {
  HANDLE file =
      CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

TEST(VirtualDrive, MappedToHighestFreeLetterReachableAndRemoved) {
  if (!SubstStandInInstalled()) GTEST_SKIP() << kNoSubstStandIn;
  Win32Platform real;
  DriveMapper mapper({real.processes, real.drives, real.text_case, real.clock});
  support::TempFolder shots_folder(L"스크린샷_"), game_folder(L"서든어택_");
  const std::string shots = Narrow(shots_folder.path()), game = Narrow(game_folder.path());
  WriteAll(shots + "\\" + Ko("사진") + ".txt", "shot");
  WriteAll(game + "\\gvi.dat", "game");

  const std::string first = mapper.FindFreeDriveLetter();
  ASSERT_EQ(first.size(), 2u);
  VirtualDriveSet drives;
  DrivesRemovedAtEnd cleanup(real.processes, drives);
  ASSERT_TRUE(mapper.MapVirtualDrive(drives, &VirtualDriveSet::ScreenshotDrive, shots));
  EXPECT_EQ(drives.ScreenshotDrive, first);
  EXPECT_EQ(ReadAll(first + "\\" + Ko("사진") + ".txt"), "shot");
  EXPECT_TRUE(
      HasLineEndingWith(SubstLog(), Cp949ToUtf8("\"" + real.processes.SystemProgram("subst.exe") +
                                                "\" " + first + " \"" + shots + "\"")));
  // The snapshot now lists the letter; the next choice is lower.
  bool listed = false;
  TDriveLetters letters(real.drives);
  for (const std::string& entry : letters.Drives()) listed |= entry[0] == first[0];
  EXPECT_TRUE(listed);

  // A second drive while the first is mapped: the three-second wait follows.
  DWORD started = GetTickCount();
  ASSERT_TRUE(mapper.MapVirtualDrive(drives, &VirtualDriveSet::NexonDrive, game));
  EXPECT_GE(GetTickCount() - started, 3000u);
  ASSERT_EQ(drives.NexonDrive.size(), 2u);
  EXPECT_LT(drives.NexonDrive[0], first[0]);
  EXPECT_EQ(ReadAll(drives.NexonDrive + "\\gvi.dat"), "game");

  RemoveVirtualDrives(real.processes, drives);
  EXPECT_EQ(GetDriveTypeW(Wide(first + "\\").c_str()), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
  EXPECT_EQ(GetDriveTypeW(Wide(drives.NexonDrive + "\\").c_str()),
            static_cast<UINT>(DRIVE_NO_ROOT_DIR));
  const std::string log = SubstLog();
  EXPECT_TRUE(HasLineEndingWith(log, "/D " + first));
  EXPECT_TRUE(HasLineEndingWith(log, "/D " + drives.NexonDrive));
  EXPECT_EQ(drives.ScreenshotDrive, first);  // the slots keep their values
}

// Operators write folders with a closing "\" ("C:\Games\SuddenAttack\"). The
// stand-in reads its arguments as every program does, so it gets the folder
// unchanged only when the backslash before the closing quote is doubled.
TEST(VirtualDrive, FolderWithAClosingBackslashIsMapped) {
  if (!SubstStandInInstalled()) GTEST_SKIP() << kNoSubstStandIn;
  Win32Platform real;
  DriveMapper mapper({real.processes, real.drives, real.text_case, real.clock});
  support::TempFolder game_folder(L"서든 어택_");
  const std::string game = Narrow(game_folder.path());
  WriteAll(game + "\\gvi.dat", "game");
  VirtualDriveSet drives;
  DrivesRemovedAtEnd cleanup(real.processes, drives);
  ASSERT_TRUE(mapper.MapVirtualDrive(drives, &VirtualDriveSet::NetmarbleDrive, game + "\\"));
  EXPECT_EQ(ReadAll(drives.NetmarbleDrive + "\\gvi.dat"), "game");
}

TEST(VirtualDrive, SubstThatFailsLeavesTheSlotEmpty) {
  Win32Platform real;
  DriveMapper mapper({real.processes, real.drives, real.text_case, real.clock});
  VirtualDriveSet drives;
  DrivesRemovedAtEnd cleanup(real.processes, drives);
  const std::string missing = Narrow(support::TempFolder(L"varnett_gone_").path());
  EXPECT_FALSE(mapper.MapVirtualDrive(drives, &VirtualDriveSet::NetmarbleDrive, missing));
  EXPECT_EQ(drives.NetmarbleDrive, "");
}

// A hold left behind (its test died before deleting it) delays a removal by
// the time it names, then is cleared, instead of blocking every removal after.
TEST(VirtualDrive, StandInHoldLeftBehindEndsAfterItsTime) {
  if (!SubstStandInInstalled()) GTEST_SKIP() << kNoSubstStandIn;
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  const std::string hold = Narrow(system) + "\\subst.hold";
  WriteAll(hold, "300");
  const support::TestStart started = support::StartForTest(std::wstring(system) + L"\\subst.exe",
                                                           L"subst.exe Q: /D", CREATE_NO_WINDOW);
  ASSERT_TRUE(started.started) << started.error;
  ScopedHandle process(started.process.hProcess), thread(started.process.hThread);
  const bool ended = WaitForSingleObject(process.get(), 20000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.get(), 1);
  const bool hold_left = GetFileAttributesW(Wide(hold).c_str()) != INVALID_FILE_ATTRIBUTES;
  DeleteFileW(Wide(hold).c_str());
  EXPECT_TRUE(ended) << "the removal still waited after 20 s";
  EXPECT_FALSE(hold_left);
}

}  // namespace
}  // namespace varnett
