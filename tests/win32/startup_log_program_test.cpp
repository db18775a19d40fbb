// Starting the real program twice on one day leaves one dated log beside it
// with four lines, in start order.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/win32/wide.h"

namespace varnett {
namespace {

std::wstring BuildFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  return p.substr(0, p.find_last_of(L'\\'));
}

// Starts the program, waits for its main window, closes it, waits for exit.
bool RunOnce(const std::wstring& exe) {
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::wstring cmd = L"\"" + exe + L"\"";
  if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi))
    return false;
  HWND window = nullptr;
  for (int i = 0; i < 200 && !window; ++i) {
    Sleep(50);
    window = FindWindowW(nullptr, L"Varnett Ver2.3");
  }
  // The program may show a box first when it finds no game; answer it.
  for (int i = 0; i < 100 && window && !IsWindowVisible(window); ++i) {
    HWND box = FindWindowW(L"#32770", nullptr);
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
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"varnett_log_" + std::to_wstring(GetTickCount());
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  std::wstring exe = folder + L"\\Varnett.exe";
  ASSERT_TRUE(CopyFileW((BuildFolder() + L"\\Varnett.exe").c_str(), exe.c_str(), FALSE));

  SYSTEMTIME before;
  GetLocalTime(&before);
  ASSERT_TRUE(RunOnce(exe));
  ASSERT_TRUE(RunOnce(exe));

  wchar_t rel[64];
  swprintf(rel, 64, L"\\Log\\%04d\\%02d\\%04d%02d%02d_Varnett.log", before.wYear, before.wMonth,
           before.wYear, before.wMonth, before.wDay);
  std::ifstream in(Narrow(folder + rel), std::ios::binary);
  ASSERT_TRUE(in) << Narrow(folder + rel);
  std::stringstream text;
  text << in.rdbuf();
  std::string content = text.str();
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
