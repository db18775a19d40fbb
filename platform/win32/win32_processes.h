#pragma once

#include "platform/processes.h"

namespace varnett {

// Text crosses into the system as UTF-16 from CP949, so the wide forms of
// the calls are used throughout.
class Win32Processes : public Processes {
 public:
  // Set by the program once its application window exists.
  WindowHandle application_window = 0;

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
};

}  // namespace varnett
