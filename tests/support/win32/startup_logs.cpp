#include "tests/support/win32/startup_logs.h"

#include <cstdio>
#include <vector>

namespace varnett::support {

namespace {

std::vector<std::wstring> Names(const std::wstring& pattern, bool folders) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (name != L"." && name != L".." && folder == folders) names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

std::string Content(const std::wstring& path) {
  std::string text;
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) return text;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
  fclose(file);
  return text;
}

}  // namespace

std::wstring StartupLogName(const SYSTEMTIME& day, const std::wstring& program) {
  wchar_t name[64];
  swprintf(name, 64, L"Log\\%04d\\%02d\\%04d%02d%02d_", day.wYear, day.wMonth, day.wYear,
           day.wMonth, day.wDay);
  return name + program + L".log";
}

std::map<std::wstring, std::string> ReadStartupLogs(const std::wstring& folder) {
  std::map<std::wstring, std::string> logs;
  for (const std::wstring& year : Names(folder + L"\\Log\\*", true)) {
    for (const std::wstring& month : Names(folder + L"\\Log\\" + year + L"\\*", true)) {
      const std::wstring relative = L"Log\\" + year + L"\\" + month + L"\\";
      for (const std::wstring& file : Names(folder + L"\\" + relative + L"*", false))
        logs[relative + file] = Content(folder + L"\\" + relative + file);
    }
  }
  return logs;
}

}  // namespace varnett::support
