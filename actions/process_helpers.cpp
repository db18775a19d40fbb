#include "actions/process_helpers.h"

#include "text/cp949.h"
#include "text/system_path.h"

namespace varnett {

namespace {

// The longest path a delete takes: what a 256-byte source list holds with
// the path's NUL and the list's closing NUL. A longer path is refused whole
// rather than cut, since a cut pattern could name the folder's parent.
constexpr size_t kLongestDeletePath = 254;

}  // namespace

void LaunchCommand(Processes& processes, const std::string& command_line) {
  processes.Run("", command_line, StartWindow::kProgramChooses, WaitMode::kNone);
}

bool ExecuteCommand(Processes& processes, const std::string& program,
                    const std::string& command_line, StartWindow window, WaitMode wait,
                    uint32_t* exit_code) {
  RunOutcome outcome = processes.Run(program, command_line, window, wait);
  if (exit_code && outcome.exit_code) *exit_code = *outcome.exit_code;
  return outcome.started;
}

void OpenDocument(Processes& processes, WindowHandle owner, const std::string& target,
                  const std::string& parameters) {
  const std::string command_line = target + " " + parameters;
  if (processes.Execute(command_line) != OpenResult::kFileNotFound) return;
  if (processes.ShellOpen(owner, "Open", target, parameters) != OpenResult::kFileNotFound) return;
  LaunchCommand(processes, command_line);
}

bool ShellDeletePath(Processes& processes, const std::string& path, bool to_recycle_bin) {
  try {
    std::string source = path;
    if (!source.empty() && source.back() == '\\' && EndsInSingleByte(source)) source.pop_back();
    if (source.size() > kLongestDeletePath || !IsExactSystemPath(source)) return false;
    ShellDeleteOptions options;
    options.to_recycle_bin = to_recycle_bin;
    return processes.ShellDelete(source, options);
  } catch (...) {
    return false;
  }
}

}  // namespace varnett
