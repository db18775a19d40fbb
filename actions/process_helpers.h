// Starting programs, opening documents and addresses, and deleting through
// the shell. None of these shows anything of its own: failures come back as
// false (or not at all), and the caller decides what the user sees. All run
// on the user-interface thread.
#pragma once

#include <cstdint>
#include <string>

#include "platform/processes.h"

namespace varnett {

// Starts the command line and returns at once; the program chooses its own
// window state. A failure to start is ignored.
void LaunchCommand(Processes& processes, const std::string& command_line);

// Starts the command line with the program at the full path `program` (by
// the system's search from the line's first token when empty), its window as
// asked. True exactly when the process was created, whatever it later does.
// Waiting until it has ended processes no window messages meanwhile;
// `exit_code`, when given, then receives the program's exit code (it is left
// as it was when the code cannot be read).
bool ExecuteCommand(Processes& processes, const std::string& program,
                    const std::string& command_line, StartWindow window, WaitMode wait,
                    uint32_t* exit_code = nullptr);

// Opens a program, document or web address: runs "target parameters" (one
// blank between them, also when parameters is empty); only when that finds no
// file, asks the shell to open the target, owned by `owner` (the application
// window); only when the shell finds no file either, starts the command line
// directly.
void OpenDocument(Processes& processes, WindowHandle owner, const std::string& target,
                  const std::string& parameters);

// Deletes a path, which may be a "*" pattern ("folder\*.*" empties the
// folder and keeps it), silently and without confirmation; the shell still
// shows its own error dialog for an item it cannot delete. One trailing "\"
// is removed first, so "folder\" deletes the folder itself. Refused (false,
// nothing deleted) when the path is then longer than 254 bytes, or when it
// is not exactly what the system would be given (IsExactSystemPath): a "?"
// is a character the conversion lost, never a wildcard of the caller's.
bool ShellDeletePath(Processes& processes, const std::string& path, bool to_recycle_bin);

}  // namespace varnett
