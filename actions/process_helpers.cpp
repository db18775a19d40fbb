#include "actions/process_helpers.h"

#include "text/cp949.h"

namespace varnett {

namespace {

constexpr size_t kDeleteListBuffer = 256;  // the path, its NUL, the list's NUL

bool Start(Platform& platform, const std::string& command_line, const StartupInfo& startup,
           ProcessInformation* info) {
  return platform.processes.CreateProcessA(command_line, kNormalPriorityClass, startup, info);
}

}  // namespace

void LaunchCommand(Platform& platform, const std::string& command_line) {
  ProcessInformation info;
  if (!Start(platform, command_line, StartupInfo{}, &info)) return;
  platform.processes.CloseHandle(info.process);
  platform.processes.CloseHandle(info.thread);
}

bool ExecuteCommand(Platform& platform, const std::string& command_line, bool hidden, bool wait,
                    uint32_t* exit_code) {
  StartupInfo startup;
  startup.flags = kStartfUseShowWindow | kStartfForceOnFeedback;
  startup.show_window = static_cast<uint16_t>(hidden ? kSwHide : kSwShowNormal);
  ProcessInformation info;
  if (!Start(platform, command_line, startup, &info)) return false;
  Processes& processes = platform.processes;
  if (wait) {
    processes.WaitForInputIdle(info.process, kInfinite);
    processes.WaitForSingleObject(info.process, kInfinite);
    uint32_t code = 0;
    if (exit_code && processes.GetExitCodeProcess(info.process, &code)) *exit_code = code;
  }
  processes.CloseHandle(info.process);
  processes.CloseHandle(info.thread);
  return true;
}

void OpenDocument(Platform& platform, const std::string& target, const std::string& parameters) {
  const std::string command_line = target + " " + parameters;
  Processes& processes = platform.processes;
  if (processes.WinExec(command_line, kSwShowNormal) != kErrorFileNotFound) return;
  if (processes.ShellExecuteA(processes.ApplicationWindow(), "Open", target, parameters,
                              kSwShowNormal) != static_cast<intptr_t>(kErrorFileNotFound))
    return;
  LaunchCommand(platform, command_line);
}

void ShellExecuteAndWait(Platform& platform, const std::string& file, const std::string& parameters,
                         int show_command) {
  Processes& processes = platform.processes;
  ShellExecuteInfo info;
  info.mask = kSeeMaskNoCloseProcess | kSeeMaskFlagDdeWait;
  info.window = processes.GetActiveWindow();
  info.verb = "open";
  info.file = file;
  info.parameters = parameters;
  info.show = show_command;
  ProcessHandle process = 0;
  if (!processes.ShellExecuteExA(info, &process) || !process) return;
  while (processes.WaitForSingleObject(process, 50) == kWaitTimeout)
    platform.clock.ProcessMessages();
  processes.CloseHandle(process);
}

bool ShellDeletePath(Platform& platform, const std::string& path, bool to_recycle_bin) {
  try {
    std::string source = path;
    if (!source.empty() && source.back() == '\\' && EndsInSingleByte(source)) source.pop_back();
    if (source.size() > kDeleteListBuffer - 2) return false;
    FileOperation operation;
    operation.function = kFoDelete;
    operation.from.assign(kDeleteListBuffer, '\0');
    operation.from.replace(0, source.size(), source);
    operation.flags = kFofSilent | kFofNoConfirmation;
    if (to_recycle_bin) operation.flags |= kFofAllowUndo;
    return platform.processes.SHFileOperationA(operation) == 0;
  } catch (...) {
    return false;
  }
}

bool ShellDeleteFile(Platform& platform, const std::string& path) {
  FileOperation operation;
  operation.function = kFoDelete;
  operation.from = path + std::string(2, '\0');
  operation.flags = kFofSilent | kFofNoConfirmation | kFofNoErrorUi;
  return platform.processes.SHFileOperationA(operation) == 0;
}

}  // namespace varnett
