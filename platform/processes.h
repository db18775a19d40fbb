// Starting programs and asking the shell to open or delete things. Each call
// is one system call; the structures carry exactly the fields the callers set,
// so the choice of flags and show states stays in the portable code above.
#pragma once

#include <cstdint>
#include <string>

namespace varnett {

// Handles of processes and windows, as the system gives them; 0 is none.
using ProcessHandle = std::uintptr_t;
using WindowHandle = std::uintptr_t;

// Show states.
constexpr int kSwHide = 0;
constexpr int kSwShowNormal = 1;

// Process creation.
constexpr uint32_t kStartfUseShowWindow = 0x1;
constexpr uint32_t kStartfForceOnFeedback = 0x40;
constexpr uint32_t kNormalPriorityClass = 0x20;

// Waits.
constexpr uint32_t kInfinite = 0xFFFFFFFF;
constexpr uint32_t kWaitObject0 = 0;
constexpr uint32_t kWaitTimeout = 0x102;
constexpr uint32_t kWaitFailed = 0xFFFFFFFF;

// Shell execution.
constexpr uint32_t kSeeMaskNoCloseProcess = 0x40;
constexpr uint32_t kSeeMaskFlagDdeWait = 0x100;

// Shell file operations.
constexpr uint32_t kFoDelete = 3;
constexpr uint16_t kFofSilent = 0x4;
constexpr uint16_t kFofNoConfirmation = 0x10;
constexpr uint16_t kFofAllowUndo = 0x40;
constexpr uint16_t kFofNoErrorUi = 0x400;

// The result WinExec and ShellExecute give for a file that was not found.
constexpr uint32_t kErrorFileNotFound = 2;

// STARTUPINFO: the size is the platform's own; every field not here is zero.
struct StartupInfo {
  uint32_t flags = 0;        // dwFlags
  uint16_t show_window = 0;  // wShowWindow
};

// PROCESS_INFORMATION.
struct ProcessInformation {
  ProcessHandle process = 0;
  ProcessHandle thread = 0;
};

// SHELLEXECUTEINFO: no directory; the size is the platform's own.
struct ShellExecuteInfo {
  uint32_t mask = 0;
  WindowHandle window = 0;
  std::string verb;
  std::string file;
  std::string parameters;
  int show = 0;
};

// SHFILEOPSTRUCT: no destination.
struct FileOperation {
  WindowHandle window = 0;
  uint32_t function = 0;
  // The source list as the bytes handed to the shell: paths each ended by a
  // NUL, the list ended by an empty path (so at least two NULs at the end).
  // Bytes after the list's end are not read.
  std::string from;
  uint16_t flags = 0;
};

// Named after the ANSI calls because they take CP949 text; the real
// platform converts it with code page 949 whatever the machine's code page.
struct Processes {
  virtual ~Processes() = default;

  // CreateProcess with no application name, no security attributes, handles
  // not inherited, the caller's environment and current directory. On success
  // fills `info`, whose handles the caller closes.
  virtual bool CreateProcessA(const std::string& command_line, uint32_t creation_flags,
                              const StartupInfo& startup, ProcessInformation* info) = 0;
  virtual uint32_t WaitForInputIdle(ProcessHandle process, uint32_t milliseconds) = 0;
  virtual uint32_t WaitForSingleObject(ProcessHandle process, uint32_t milliseconds) = 0;
  // False when the exit code cannot be read.
  virtual bool GetExitCodeProcess(ProcessHandle process, uint32_t* exit_code) = 0;
  virtual void CloseHandle(ProcessHandle handle) = 0;

  // Greater than 31 on success, else the error.
  virtual uint32_t WinExec(const std::string& command_line, int show) = 0;
  // ShellExecute with no directory; greater than 32 on success, else the error.
  virtual intptr_t ShellExecuteA(WindowHandle owner, const std::string& verb,
                                 const std::string& file, const std::string& parameters,
                                 int show) = 0;
  // ShellExecuteEx; `process` receives the process handle the shell gave
  // back (0 when none).
  virtual bool ShellExecuteExA(const ShellExecuteInfo& info, ProcessHandle* process) = 0;
  // SHFileOperation; 0 on success.
  virtual int SHFileOperationA(const FileOperation& operation) = 0;

  virtual WindowHandle GetActiveWindow() = 0;
  // The process's hidden top-level window that owns the main window (0 until
  // the program has one).
  virtual WindowHandle ApplicationWindow() = 0;
};

}  // namespace varnett
