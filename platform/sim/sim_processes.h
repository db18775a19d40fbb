// Processes and shell requests answered from a script. Every request is
// recorded as one line saying what was asked, e.g.
//   run [C:\Windows\System32\subst.exe] "C:\Windows\System32\subst.exe" Z: "C:\x" hidden wait
//   execute [http://x.kr ]
//   shell Open [http://x.kr] [] owner=0x52
//   shell open [C:\Windows\System32\subst.exe] [/D Z:] hidden wait
//   delete [C:\x\*.*]
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/processes.h"

namespace varnett {

class SimProcesses : public Processes {
 public:
  std::vector<std::string> requests;

  // Where the system's own programs are; none when empty.
  std::string system_folder = "C:\\Windows\\System32";
  // Run fails to start anything when false.
  bool can_start = true;
  // Runs as the started program: gets its command line, gives its exit code.
  std::function<uint32_t(const std::string&)> program;
  // False makes a waited-for program's exit code unreadable.
  bool exit_code_readable = true;
  // Answers of Execute and ShellOpen, in order; opened when none is left.
  std::deque<OpenResult> execute_results;
  std::deque<OpenResult> shell_open_results;
  // ShellOpenAndWait: the number of 50 ms waits each started process takes
  // before it ends, in order (none left: ended at the first wait); the shell
  // starts no process when shell_gives_process is false.
  std::deque<int> busy_waits;
  bool shell_gives_process = true;
  // Processed once after every 50 ms wait that ended by time-out.
  WaitClock* messages = nullptr;
  // Answer of ShellDelete.
  bool delete_succeeds = true;

  RunOutcome Run(const std::string& program, const std::string& command_line, StartWindow window,
                 WaitMode wait) override;
  std::string SystemProgram(const std::string& file_name) override;
  OpenResult Execute(const std::string& command_line) override;
  OpenResult ShellOpen(WindowHandle owner, const std::string& verb, const std::string& file,
                       const std::string& parameters) override;
  void ShellOpenAndWait(const std::string& file, const std::string& parameters,
                        StartWindow window) override;
  bool ShellDelete(const std::string& path, ShellDeleteOptions options) override;
};

}  // namespace varnett
