// Processes and shell calls answered from a script; every call is recorded
// as one line of text, and the structures handed over are kept whole.
#pragma once

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/processes.h"

namespace varnett {

class SimProcesses : public Processes {
 public:
  // One line per call, in call order, e.g.
  // "CreateProcess subst Z: \"C:\\x\" creation=0x20 flags=0x41 show=0".
  std::vector<std::string> calls;
  std::vector<StartupInfo> startups;
  std::vector<ShellExecuteInfo> shell_executes;
  std::vector<FileOperation> file_operations;
  // Handles given out and not closed yet.
  std::set<ProcessHandle> open_handles;

  // CreateProcess fails when false.
  bool can_create = true;
  // Runs as the started program: gets its command line, gives its exit code.
  std::function<uint32_t(const std::string&)> program;
  // False makes GetExitCodeProcess fail.
  bool exit_code_readable = true;
  // Answers of WaitForSingleObject with a finite time-out, in order; when
  // none is left the process has ended.
  std::deque<uint32_t> timed_waits;
  // Answers of WinExec and ShellExecute, in order; success when none is left.
  std::deque<uint32_t> win_exec_results;
  std::deque<intptr_t> shell_execute_results;
  // ShellExecuteEx: fails when false; otherwise gives a process handle unless
  // shell_gives_process is false.
  bool shell_execute_ex_succeeds = true;
  bool shell_gives_process = true;
  int file_operation_result = 0;
  WindowHandle active_window = 0x51;
  WindowHandle application_window = 0x52;

  bool CreateProcessA(const std::string& command_line, uint32_t creation_flags,
                      const StartupInfo& startup, ProcessInformation* info) override;
  uint32_t WaitForInputIdle(ProcessHandle process, uint32_t milliseconds) override;
  uint32_t WaitForSingleObject(ProcessHandle process, uint32_t milliseconds) override;
  bool GetExitCodeProcess(ProcessHandle process, uint32_t* exit_code) override;
  void CloseHandle(ProcessHandle handle) override;
  uint32_t WinExec(const std::string& command_line, int show) override;
  intptr_t ShellExecuteA(WindowHandle owner, const std::string& verb, const std::string& file,
                         const std::string& parameters, int show) override;
  bool ShellExecuteExA(const ShellExecuteInfo& info, ProcessHandle* process) override;
  int SHFileOperationA(const FileOperation& operation) override;
  WindowHandle GetActiveWindow() override;
  WindowHandle ApplicationWindow() override;

 private:
  ProcessHandle Open();
  ProcessHandle next_handle_ = 0x100;
  uint32_t last_exit_code_ = 0;
};

}  // namespace varnett
