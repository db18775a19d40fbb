#include "tests/support/win32/build_folder.h"

#include <windows.h>

namespace varnett::support {

std::wstring BuildFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  return p.substr(0, p.find_last_of(L'\\'));
}

}  // namespace varnett::support
