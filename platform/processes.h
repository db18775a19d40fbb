// Starting programs and asking the shell to open or delete things, said as
// what the program wants done. Process handles and the system's structures
// stay on the platform's side: a caller learns only whether something
// started and, when it waited, how it ended.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace varnett {

// A window as the system names it; 0 is none.
using WindowHandle = std::uintptr_t;

// How a started program's first window shows.
enum class StartWindow {
  kProgramChooses,  // nothing asked: the program's own default
  kHidden,          // hidden, with the busy cursor while it starts
  kShown,           // shown normally, with the busy cursor while it starts
};

enum class WaitMode {
  kNone,        // return as soon as it has started
  kUntilEnded,  // until it is ready for input, then until it has ended;
                // no window messages are processed meanwhile
};

// What became of a command: not started, started, or ended with a code.
struct RunOutcome {
  bool started = false;
  // Set when the program was waited for and its exit code could be read.
  std::optional<uint32_t> exit_code;
};

// What came of asking to open something.
enum class OpenResult {
  kOpened,
  kFileNotFound,  // the one answer that lets a caller try another way
  kFailed,        // any other error
};

// Deleting through the shell: always silent and without confirmation; the
// shell shows its own dialog for an item it cannot delete.
struct ShellDeleteOptions {
  bool to_recycle_bin = false;
};

// Every text is CP949; the real platform converts it with code page 949
// whatever the machine's code page.
struct Processes {
  virtual ~Processes() = default;

  // Starts the command line in the caller's folder and environment. The
  // program is the file at the full path `program`; when that is empty, the
  // one the system's search rules find from the line's first token, which
  // looks in the caller's own folder first.
  virtual RunOutcome Run(const std::string& program, const std::string& command_line,
                         StartWindow window, WaitMode wait) = 0;

  // The full path of a program that comes with the system ("subst.exe"), in
  // the system folder; empty when the system names no such folder. A program
  // of the same name in a folder that others can write to never stands in.
  virtual std::string SystemProgram(const std::string& file_name) = 0;

  // Starts the command line shown normally and gives it up to 30 s to be
  // ready for input, as the system's oldest way of starting programs does.
  virtual OpenResult Execute(const std::string& command_line) = 0;

  // Asks the shell to apply `verb` to `file` with `parameters`, shown
  // normally, with `owner` as the owner of anything the shell shows.
  virtual OpenResult ShellOpen(WindowHandle owner, const std::string& verb, const std::string& file,
                               const std::string& parameters) = 0;

  // Asks the shell to open `file` (a full path: the shell also searches the
  // current folder) with `parameters`, owned by the active
  // window, and when it started a process, waits for that to end while
  // processing window messages every 50 ms, so other handlers can run
  // meanwhile. Returns at once when the shell starts nothing to wait for.
  virtual void ShellOpenAndWait(const std::string& file, const std::string& parameters,
                                StartWindow window) = 0;

  // Deletes one path, which may be a wildcard pattern, through the shell.
  // True when the shell reports success and nothing was cancelled.
  virtual bool ShellDelete(const std::string& path, ShellDeleteOptions options) = 0;
};

}  // namespace varnett
