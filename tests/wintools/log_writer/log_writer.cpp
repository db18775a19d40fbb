// Log writer: one start of the program as far as its start-up log goes, then
// more lines, for tests of many copies writing one log at once.
//
//   log_writer PROGRAM_PATH START_EVENT LINES
//
// Waits (at most 60 s) for the named manual-reset event START_EVENT, so that
// every writer of a test begins at the same moment; then prepares the log of
// a program at PROGRAM_PATH (its two start lines) and writes LINES lines
// "writer <process id> line <n>", n counting from 0. Exits 0 once done, 2 on
// a wrong command line, 3 when the start was never given.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <string>

#include "log/startup_log.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "text/win32/wide.h"

int main() {
  int argc = 0;
  varnett::ScopedLocalMemory<wchar_t*> argv(CommandLineToArgvW(GetCommandLineW(), &argc));
  if (!argv || argc != 4) return 2;
  const std::string program = varnett::Narrow(argv.get()[1]);
  const int lines = _wtoi(argv.get()[3]);
  varnett::ScopedHandle start(OpenEventW(SYNCHRONIZE, FALSE, argv.get()[2]));
  if (!start || WaitForSingleObject(start.get(), 60000) != WAIT_OBJECT_0) return 3;

  varnett::Win32FileSystem files;
  varnett::Win32Clock clock;
  varnett::StartupLog log(files, clock);
  log.Prepare(program);
  const std::string writer = "writer " + std::to_string(GetCurrentProcessId()) + " line ";
  for (int i = 0; i < lines; ++i) log.Write(writer + std::to_string(i));
  return 0;
}
