// A stand-in web browser for the test prefix: the shell hands it the address
// to open, and it only appends its command line (UTF-8, CR LF) to
// browser.log beside this program. Tests and demos only.
#include <windows.h>

#include <fstream>
#include <string>

int main() {
  const wchar_t* line = GetCommandLineW();
  int n = WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr);
  std::string text(n > 0 ? n - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, line, -1, text.data(), n, nullptr, nullptr);
  wchar_t path[MAX_PATH];
  DWORD size = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring log(path, size);
  log = log.substr(0, log.find_last_of(L'\\') + 1) + L"browser.log";
  std::ofstream out(log.c_str(), std::ios::binary | std::ios::app);
  out << text << "\r\n";
  return 0;
}
