#include "platform/win32/win32_processes.h"

#include <windows.h>
// after windows.h
#include <shellapi.h>

#include "platform/win32/scoped_handle.h"
#include "text/win32/wide.h"

namespace varnett {

namespace {

// The two handles CreateProcess gives back, owned together.
struct StartedProcess {
  ScopedHandle process;
  ScopedHandle thread;
};

// CreateProcess with the program's full path as the application name, or
// none (the system's search from the first token), no security attributes,
// handles not inherited, the caller's environment and current folder.
bool Start(const std::string& program, const std::string& command_line, DWORD creation_flags,
           const STARTUPINFOW& startup, StartedProcess* started, DWORD* error = nullptr) {
  STARTUPINFOW si = startup;
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  const std::wstring application = Wide(program);
  std::wstring command = Wide(command_line);  // CreateProcessW may write into it
  if (!CreateProcessW(program.empty() ? nullptr : application.c_str(), command.data(), nullptr,
                      nullptr, FALSE, creation_flags, nullptr, nullptr, &si, &pi)) {
    if (error) *error = GetLastError();
    return false;
  }
  started->process = ScopedHandle(pi.hProcess);
  started->thread = ScopedHandle(pi.hThread);
  return true;
}

int ShowCommand(StartWindow window) {
  return window == StartWindow::kHidden ? SW_HIDE : SW_SHOWNORMAL;
}

}  // namespace

RunOutcome Win32Processes::Run(const std::string& program, const std::string& command_line,
                               StartWindow window, WaitMode wait) {
  STARTUPINFOW si = {};
  if (window != StartWindow::kProgramChooses) {
    si.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
    si.wShowWindow = static_cast<WORD>(ShowCommand(window));
  }
  StartedProcess started;
  RunOutcome outcome;
  if (!Start(program, command_line, NORMAL_PRIORITY_CLASS, si, &started)) return outcome;
  outcome.started = true;
  if (wait == WaitMode::kUntilEnded) {
    WaitForInputIdle(started.process.get(), INFINITE);
    WaitForSingleObject(started.process.get(), INFINITE);
    DWORD code = 0;
    if (GetExitCodeProcess(started.process.get(), &code)) outcome.exit_code = code;
  }
  return outcome;
}

std::string Win32Processes::SystemProgram(const std::string& file_name) {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return Narrow(std::wstring(folder, length)) + "\\" + file_name;
}

// WinExec itself only takes text in the machine's ANSI code page, so this
// does what it does with the command line converted from CP949: create the
// process shown normally and give it up to 30 s to come up.
OpenResult Win32Processes::Execute(const std::string& command_line) {
  STARTUPINFOW si = {};
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  StartedProcess started;
  DWORD error = 0;
  if (!Start("", command_line, 0, si, &started, &error))
    return error == ERROR_FILE_NOT_FOUND ? OpenResult::kFileNotFound : OpenResult::kFailed;
  WaitForInputIdle(started.process.get(), 30000);
  return OpenResult::kOpened;
}

OpenResult Win32Processes::ShellOpen(WindowHandle owner, const std::string& verb,
                                     const std::string& file, const std::string& parameters) {
  auto result = reinterpret_cast<intptr_t>(
      ShellExecuteW(reinterpret_cast<HWND>(owner), Wide(verb).c_str(), Wide(file).c_str(),
                    Wide(parameters).c_str(), nullptr, SW_SHOWNORMAL));
  if (result > 32) return OpenResult::kOpened;
  return result == SE_ERR_FNF ? OpenResult::kFileNotFound : OpenResult::kFailed;
}

void Win32Processes::ShellOpenAndWait(const std::string& file, const std::string& parameters,
                                      StartWindow window) {
  std::wstring wide_file = Wide(file), wide_parameters = Wide(parameters);
  SHELLEXECUTEINFOW sei = {};
  sei.cbSize = sizeof sei;
  sei.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT;
  sei.hwnd = GetActiveWindow();
  sei.lpVerb = L"open";
  sei.lpFile = wide_file.c_str();
  sei.lpParameters = wide_parameters.c_str();
  sei.nShow = ShowCommand(window);
  if (!ShellExecuteExW(&sei)) return;
  ScopedHandle process(sei.hProcess);
  if (!process) return;  // e.g. a document handed to a running program by DDE
  while (WaitForSingleObject(process.get(), 50) == WAIT_TIMEOUT) messages_.ProcessMessages();
}

bool Win32Processes::ShellDelete(const std::string& path, ShellDeleteOptions options) {
  // One path, ended by its NUL; the string's own terminator ends the list.
  std::wstring from = Wide(path) + L'\0';
  SHFILEOPSTRUCTW op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION;
  if (options.to_recycle_bin) op.fFlags |= FOF_ALLOWUNDO;
  // A user who cancels the shell's box for a file in use gets 0 back too,
  // with the files still there.
  return SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
}

}  // namespace varnett
