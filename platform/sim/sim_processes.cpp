#include "platform/sim/sim_processes.h"

#include <cstdio>

namespace varnett {

namespace {

std::string Hex(unsigned long long value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", value);
  return text;
}

std::string Millis(uint32_t milliseconds) {
  return milliseconds == kInfinite ? "INFINITE" : std::to_string(milliseconds);
}

}  // namespace

ProcessHandle SimProcesses::Open() {
  ProcessHandle handle = next_handle_++;
  open_handles.insert(handle);
  return handle;
}

bool SimProcesses::CreateProcessA(const std::string& command_line, uint32_t creation_flags,
                                  const StartupInfo& startup, ProcessInformation* info) {
  calls.push_back("CreateProcess " + command_line + " creation=" + Hex(creation_flags) +
                  " flags=" + Hex(startup.flags) + " show=" + std::to_string(startup.show_window));
  startups.push_back(startup);
  if (!can_create) return false;
  last_exit_code_ = program ? program(command_line) : 0;
  info->process = Open();
  info->thread = Open();
  return true;
}

uint32_t SimProcesses::WaitForInputIdle(ProcessHandle process, uint32_t milliseconds) {
  calls.push_back("WaitForInputIdle " + Hex(process) + " " + Millis(milliseconds));
  return 0;
}

uint32_t SimProcesses::WaitForSingleObject(ProcessHandle process, uint32_t milliseconds) {
  calls.push_back("WaitForSingleObject " + Hex(process) + " " + Millis(milliseconds));
  if (milliseconds == kInfinite || timed_waits.empty()) return kWaitObject0;
  uint32_t result = timed_waits.front();
  timed_waits.pop_front();
  return result;
}

bool SimProcesses::GetExitCodeProcess(ProcessHandle process, uint32_t* exit_code) {
  calls.push_back("GetExitCodeProcess " + Hex(process));
  if (!exit_code_readable) return false;
  *exit_code = last_exit_code_;
  return true;
}

void SimProcesses::CloseHandle(ProcessHandle handle) {
  calls.push_back("CloseHandle " + Hex(handle));
  open_handles.erase(handle);
}

uint32_t SimProcesses::WinExec(const std::string& command_line, int show) {
  calls.push_back("WinExec [" + command_line + "] show=" + std::to_string(show));
  if (win_exec_results.empty()) return 33;
  uint32_t result = win_exec_results.front();
  win_exec_results.pop_front();
  return result;
}

intptr_t SimProcesses::ShellExecuteA(WindowHandle owner, const std::string& verb,
                                     const std::string& file, const std::string& parameters,
                                     int show) {
  calls.push_back("ShellExecute owner=" + Hex(owner) + " " + verb + " [" + file + "] [" +
                  parameters + "] show=" + std::to_string(show));
  if (shell_execute_results.empty()) return 42;
  intptr_t result = shell_execute_results.front();
  shell_execute_results.pop_front();
  return result;
}

bool SimProcesses::ShellExecuteExA(const ShellExecuteInfo& info, ProcessHandle* process) {
  calls.push_back("ShellExecuteEx mask=" + Hex(info.mask) + " window=" + Hex(info.window) + " " +
                  info.verb + " [" + info.file + "] [" + info.parameters +
                  "] show=" + std::to_string(info.show));
  shell_executes.push_back(info);
  *process = 0;
  if (!shell_execute_ex_succeeds) return false;
  if (shell_gives_process) *process = Open();
  return true;
}

int SimProcesses::SHFileOperationA(const FileOperation& operation) {
  calls.push_back("SHFileOperation function=" + std::to_string(operation.function) +
                  " flags=" + Hex(operation.flags) + " [" +
                  operation.from.substr(0, operation.from.find('\0')) + "]");
  file_operations.push_back(operation);
  return file_operation_result;
}

WindowHandle SimProcesses::GetActiveWindow() {
  calls.push_back("GetActiveWindow");
  return active_window;
}

WindowHandle SimProcesses::ApplicationWindow() { return application_window; }

}  // namespace varnett
