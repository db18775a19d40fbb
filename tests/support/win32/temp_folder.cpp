#include "tests/support/win32/temp_folder.h"

#include <windows.h>

namespace varnett::support {

TempFolder::TempFolder(const std::wstring& prefix) {
  static int counter = 0;
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  path_ =
      base + prefix + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
  RemoveTree(path_);  // left by a run that was killed
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // A link: it goes, what it names is someone else's.
        if (!RemoveDirectoryW(child.c_str())) DeleteFileW(child.c_str());
      } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(path.c_str());
}

}  // namespace varnett::support
