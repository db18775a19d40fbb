// Runs a console program in a console of its own and writes down what that
// console shows, as the operator would read it off the screen:
//
//   console_capture OUTPUT COMMAND LINE
//
// OUTPUT (UTF-8) gets "codepage N" (the console's output code page), "exit N"
// (the program's exit status), then each line of the console's text as read
// back with ReadConsoleOutputCharacterW, trailing blanks removed. Exits 0
// when it could run the program and read the console, 2 otherwise.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

HANDLE OpenInheritable(const wchar_t* name, DWORD access) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  return CreateFileW(name, access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                     nullptr);
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 3) {
    std::fprintf(stderr, "usage: console_capture OUTPUT COMMAND LINE\n");
    return 2;
  }
  // The rest of our own command line, as it was written, is the program's.
  std::wstring command = GetCommandLineW();
  {
    int skipped = 0;
    bool quoted = false;
    size_t i = 0;
    for (; i < command.size() && skipped < 2; ++i) {
      if (command[i] == L'"') quoted = !quoted;
      if (!quoted && command[i] == L' ') {
        while (i + 1 < command.size() && command[i + 1] == L' ') ++i;
        ++skipped;
      }
    }
    command = command.substr(i);
  }

  // A console of our own, like the one a command prompt window has.
  FreeConsole();
  if (!AllocConsole()) {
    std::fprintf(stderr, "console_capture: AllocConsole failed (%lu)\n", GetLastError());
    return 2;
  }
  HANDLE out = OpenInheritable(L"CONOUT$", GENERIC_READ | GENERIC_WRITE);
  HANDLE in = OpenInheritable(L"CONIN$", GENERIC_READ | GENERIC_WRITE);
  if (out == INVALID_HANDLE_VALUE || in == INVALID_HANDLE_VALUE) return 2;

  STARTUPINFOW si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = in;
  si.hStdOutput = out;
  si.hStdError = out;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                      &pi)) {
    std::fprintf(stderr, "console_capture: cannot start %s (%lu)\n", Utf8(command).c_str(),
                 GetLastError());
    return 2;
  }
  DWORD code = 0;
  if (WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) {
    TerminateProcess(pi.hProcess, 3);
    std::fprintf(stderr, "console_capture: the program did not end within a minute\n");
    return 2;
  }
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);

  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(out, &info)) return 2;
  std::string text =
      "codepage " + std::to_string(GetConsoleOutputCP()) + "\nexit " + std::to_string(code) + "\n";
  const int last =
      info.dwCursorPosition.X > 0 ? info.dwCursorPosition.Y : info.dwCursorPosition.Y - 1;
  std::vector<wchar_t> row(info.dwSize.X);
  for (SHORT y = 0; y <= last; ++y) {
    DWORD read = 0;
    if (!ReadConsoleOutputCharacterW(out, row.data(), info.dwSize.X, COORD{0, y}, &read)) return 2;
    std::wstring line(row.data(), read);
    line.erase(line.find_last_not_of(L' ') + 1);
    text += Utf8(line) + "\n";
  }
  FILE* file = _wfopen(argv[1], L"wb");
  if (!file) return 2;
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
  return 0;
}
