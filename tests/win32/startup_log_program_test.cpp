// Starting the real program twice leaves its dated log beside it with four
// lines, in start order, also when a log viewer holds the log open (sharing
// everything, as viewers do) during the second start.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <sstream>
#include <string>

#include "platform/win32/scoped_handle.h"
#include "tests/support/win32/build_folder.h"
#include "tests/support/win32/startup_logs.h"
#include "tests/support/win32/temp_folder.h"
#include "tests/support/win32/test_process.h"
#include "tests/support/win32/top_windows.h"
#include "text/win32/wide.h"

namespace varnett {
namespace {

// Starts the program, waits for its main window, closes it, waits for exit.
bool RunOnce(const std::wstring& exe) {
  const support::TestStart start = support::StartForTest(exe, L"\"" + exe + L"\"");
  if (!start.started) return false;
  const PROCESS_INFORMATION& pi = start.process;
  HWND window = nullptr;
  for (int i = 0; i < 200 && !window; ++i) {
    Sleep(50);
    window = support::FirstTopWindow({pi.dwProcessId, nullptr, L"Varnett Ver2.3", false});
  }
  // The program may show a box first when it finds no game; answer it.
  for (int i = 0; i < 100 && window && !IsWindowVisible(window); ++i) {
    HWND box = support::FirstTopWindow({pi.dwProcessId, L"#32770"});
    if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
    Sleep(50);
  }
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  bool ended = WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return window && ended;
}

TEST(StartupLogProgram, TwoStartsAppendFourLines) {
  support::TempFolder folder(L"varnett_log_");
  std::wstring exe = folder.path() + L"\\Varnett.exe";
  ASSERT_TRUE(CopyFileW((support::BuildFolder() + L"\\Varnett.exe").c_str(), exe.c_str(), FALSE));

  // The program dates its log when it starts: some instant between these.
  SYSTEMTIME first, last;
  GetLocalTime(&first);
  ASSERT_TRUE(RunOnce(exe));
  ScopedHandle viewer(
      CreateFileW((folder.path() + L"\\" + support::StartupLogName(first, L"Varnett")).c_str(),
                  GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(viewer);
  ASSERT_TRUE(RunOnce(exe));
  viewer.Reset();
  GetLocalTime(&last);

  const std::map<std::wstring, std::string> logs = support::ReadStartupLogs(folder.path());
  ASSERT_FALSE(logs.empty());
  std::string content;
  for (const auto& [name, text] : logs) {
    EXPECT_TRUE(name == support::StartupLogName(first, L"Varnett") ||
                name == support::StartupLogName(last, L"Varnett"))
        << Narrow(name);
    content += text;  // two files only when the runs spanned midnight
  }
  std::istringstream lines(content);
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.back(), '\r');
    line.pop_back();
    EXPECT_EQ(line.rfind(" [", 0), 0u) << line;
    const char* tail = count % 2 == 0 ? "]  " : "]  LOG Started *******************************";
    EXPECT_EQ(line.substr(line.size() - std::string(tail).size()), tail) << line;
    ++count;
  }
  EXPECT_EQ(count, 4);
}

}  // namespace
}  // namespace varnett
