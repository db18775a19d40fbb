#pragma once

#include "platform/clock.h"
#include "platform/processes.h"

namespace varnett {

// Text crosses into the system as UTF-16 from CP949, so the wide forms of
// the calls are used throughout. Every handle the system gives back is owned
// here and closed before the call returns.
class Win32Processes : public Processes {
 public:
  // `messages` is processed while ShellOpenAndWait waits.
  explicit Win32Processes(WaitClock& messages) : messages_(messages) {}
  Win32Processes(const Win32Processes&) = delete;
  Win32Processes& operator=(const Win32Processes&) = delete;

  RunOutcome Run(const std::string& program, const std::string& command_line, StartWindow window,
                 WaitMode wait) override;
  std::string SystemProgram(const std::string& file_name) override;
  OpenResult Execute(const std::string& command_line) override;
  OpenResult ShellOpen(WindowHandle owner, const std::string& verb, const std::string& file,
                       const std::string& parameters) override;
  void ShellOpenAndWait(const std::string& file, const std::string& parameters,
                        StartWindow window) override;
  bool ShellDelete(const std::string& path, ShellDeleteOptions options) override;

 private:
  WaitClock& messages_;
};

}  // namespace varnett
