// Starting a program for a test under Wine, where a start can fail for a
// reason of Wine's own.
#pragma once

#include <windows.h>

#include <string>

namespace varnett::support {

// What a start came to: the new process's handles (the caller closes them),
// or the system's error of the last try.
struct TestStart {
  bool started = false;
  PROCESS_INFORMATION process = {};
  DWORD error = 0;
  int tries = 0;
  unsigned long long last_try_ms = 0;
  // The program's current folder: new and empty, of its own.
  std::wstring current_folder;
};

// Starts `program` with `command_line` in an empty scratch folder of its own
// (under the temporary folder), never in the test's current folder: whatever
// the program does to its current folder, such as the shell's delete that
// Wine turns against it, stays there. Wine answers ERROR_INTERNAL_ERROR
// when the new process ended inside Wine's own start-up, before the first
// instruction of the program ran; a program that ends at once is still
// reported started. On a loaded machine that start-up rarely dies without a
// word, so such a start is made again, at most twice, and each retry is
// printed on the error stream.
TestStart StartForTest(const std::wstring& program, std::wstring command_line,
                       DWORD creation_flags = 0);

}  // namespace varnett::support
