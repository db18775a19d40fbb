#include "platform/sim/sim_processes.h"

#include <cstdio>

namespace varnett {

namespace {

std::string WindowWord(StartWindow window) {
  switch (window) {
    case StartWindow::kHidden:
      return " hidden";
    case StartWindow::kShown:
      return " shown";
    case StartWindow::kProgramChooses:
      break;
  }
  return "";
}

std::string Hex(unsigned long long value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", value);
  return text;
}

OpenResult Next(std::deque<OpenResult>& results) {
  if (results.empty()) return OpenResult::kOpened;
  OpenResult result = results.front();
  results.pop_front();
  return result;
}

}  // namespace

RunOutcome SimProcesses::Run(const std::string& program, const std::string& command_line,
                             StartWindow window, WaitMode wait) {
  requests.push_back("run " + (program.empty() ? "" : "[" + program + "] ") + command_line +
                     WindowWord(window) + (wait == WaitMode::kUntilEnded ? " wait" : ""));
  RunOutcome outcome;
  if (!can_start) return outcome;
  outcome.started = true;
  uint32_t code = this->program ? this->program(command_line) : 0;
  if (wait == WaitMode::kUntilEnded && exit_code_readable) outcome.exit_code = code;
  return outcome;
}

std::string SimProcesses::SystemProgram(const std::string& file_name) {
  return system_folder.empty() ? "" : system_folder + "\\" + file_name;
}

OpenResult SimProcesses::Execute(const std::string& command_line) {
  requests.push_back("execute [" + command_line + "]");
  return Next(execute_results);
}

OpenResult SimProcesses::ShellOpen(WindowHandle owner, const std::string& verb,
                                   const std::string& file, const std::string& parameters) {
  requests.push_back("shell " + verb + " [" + file + "] [" + parameters + "] owner=" + Hex(owner));
  return Next(shell_open_results);
}

void SimProcesses::ShellOpenAndWait(const std::string& file, const std::string& parameters,
                                    StartWindow window) {
  requests.push_back("shell open [" + file + "] [" + parameters + "]" + WindowWord(window) +
                     " wait");
  if (!shell_gives_process) return;
  int waits = 0;
  if (!busy_waits.empty()) {
    waits = busy_waits.front();
    busy_waits.pop_front();
  }
  for (int i = 0; i < waits; ++i)
    if (messages) messages->ProcessMessages();
}

bool SimProcesses::ShellDelete(const std::string& path, ShellDeleteOptions options) {
  requests.push_back("delete [" + path + "]" + (options.to_recycle_bin ? " recycle" : ""));
  return delete_succeeds;
}

}  // namespace varnett
