#include "platform/win32/win32_processes.h"

#include <windows.h>
// after windows.h
#include <shellapi.h>

#include "platform/win32/wide.h"

namespace varnett {

namespace {

HANDLE AsHandle(ProcessHandle handle) { return reinterpret_cast<HANDLE>(handle); }
HWND AsWindow(WindowHandle window) { return reinterpret_cast<HWND>(window); }

// The list of paths ends at the first empty path; each is converted alone so
// that the NUL separators survive.
std::wstring WidePathList(const std::string& list) {
  std::wstring wide;
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find('\0', start);
    if (end == std::string::npos) end = list.size();
    if (end == start) break;
    wide += Wide(list.substr(start, end - start));
    wide += L'\0';
    start = end + 1;
  }
  wide += L'\0';  // with the string's own terminator: the list's double NUL
  return wide;
}

}  // namespace

bool Win32Processes::CreateProcessA(const std::string& command_line, uint32_t creation_flags,
                                    const StartupInfo& startup, ProcessInformation* info) {
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  si.dwFlags = startup.flags;
  si.wShowWindow = startup.show_window;
  PROCESS_INFORMATION pi = {};
  std::wstring command = Wide(command_line);  // CreateProcessW may write into it
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, creation_flags, nullptr,
                      nullptr, &si, &pi))
    return false;
  info->process = reinterpret_cast<ProcessHandle>(pi.hProcess);
  info->thread = reinterpret_cast<ProcessHandle>(pi.hThread);
  return true;
}

uint32_t Win32Processes::WaitForInputIdle(ProcessHandle process, uint32_t milliseconds) {
  return ::WaitForInputIdle(AsHandle(process), milliseconds);
}

uint32_t Win32Processes::WaitForSingleObject(ProcessHandle process, uint32_t milliseconds) {
  return ::WaitForSingleObject(AsHandle(process), milliseconds);
}

bool Win32Processes::GetExitCodeProcess(ProcessHandle process, uint32_t* exit_code) {
  DWORD code = 0;
  if (!::GetExitCodeProcess(AsHandle(process), &code)) return false;
  *exit_code = code;
  return true;
}

void Win32Processes::CloseHandle(ProcessHandle handle) {
  if (handle) ::CloseHandle(AsHandle(handle));
}

// WinExec itself only takes text in the machine's ANSI code page, so this
// does what it does with the command line converted from CP949: create the
// process with the show state, give it up to 30 s to come up, and answer 33,
// or the creation's error code.
uint32_t Win32Processes::WinExec(const std::string& command_line, int show) {
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION pi = {};
  std::wstring command = Wide(command_line);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    DWORD error = GetLastError();
    return error >= 32 ? ERROR_BAD_FORMAT : error;
  }
  ::WaitForInputIdle(pi.hProcess, 30000);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return 33;
}

intptr_t Win32Processes::ShellExecuteA(WindowHandle owner, const std::string& verb,
                                       const std::string& file, const std::string& parameters,
                                       int show) {
  HINSTANCE result = ShellExecuteW(AsWindow(owner), Wide(verb).c_str(), Wide(file).c_str(),
                                   Wide(parameters).c_str(), nullptr, show);
  return reinterpret_cast<intptr_t>(result);
}

bool Win32Processes::ShellExecuteExA(const ShellExecuteInfo& info, ProcessHandle* process) {
  std::wstring verb = Wide(info.verb), file = Wide(info.file), parameters = Wide(info.parameters);
  SHELLEXECUTEINFOW sei = {};
  sei.cbSize = sizeof sei;
  sei.fMask = info.mask;
  sei.hwnd = AsWindow(info.window);
  sei.lpVerb = verb.c_str();
  sei.lpFile = file.c_str();
  sei.lpParameters = parameters.c_str();
  sei.nShow = info.show;
  bool ok = ShellExecuteExW(&sei) != FALSE;
  *process = ok ? reinterpret_cast<ProcessHandle>(sei.hProcess) : 0;
  return ok;
}

int Win32Processes::SHFileOperationA(const FileOperation& operation) {
  std::wstring from = WidePathList(operation.from);
  SHFILEOPSTRUCTW op = {};
  op.hwnd = AsWindow(operation.window);
  op.wFunc = operation.function;
  op.pFrom = from.c_str();
  op.fFlags = operation.flags;
  return SHFileOperationW(&op);
}

WindowHandle Win32Processes::GetActiveWindow() {
  return reinterpret_cast<WindowHandle>(::GetActiveWindow());
}

WindowHandle Win32Processes::ApplicationWindow() { return application_window; }

}  // namespace varnett
