#include "tests/support/win32/test_process.h"

#include <cstdio>

namespace varnett::support {

namespace {

std::wstring NewScratchFolder() {
  static int counter = 0;
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  for (;;) {
    const std::wstring folder = std::wstring(base) + L"varnett_scratch_" +
                                std::to_wstring(GetCurrentProcessId()) + L"_" +
                                std::to_wstring(++counter);
    if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return L"";
  }
}

}  // namespace

TestStart StartForTest(const std::wstring& program, std::wstring command_line,
                       DWORD creation_flags) {
  constexpr int kTries = 3;
  TestStart start;
  start.current_folder = NewScratchFolder();
  if (start.current_folder.empty()) {
    start.error = GetLastError();
    return start;
  }
  for (start.tries = 1;; ++start.tries) {
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    const ULONGLONG began = GetTickCount64();
    start.started = CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE,
                                   creation_flags, nullptr, start.current_folder.c_str(), &si,
                                   &start.process) != 0;
    start.error = start.started ? 0 : GetLastError();
    start.last_try_ms = GetTickCount64() - began;
    if (start.started || start.error != ERROR_INTERNAL_ERROR || start.tries == kTries) return start;
    std::fprintf(stderr, "[ retried  ] a start failed with error 1359 after %llu ms (try %d)\n",
                 start.last_try_ms, start.tries);
  }
}

}  // namespace varnett::support
