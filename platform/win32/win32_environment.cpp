#include "platform/win32/win32_environment.h"

#include <shlobj.h>
#include <windows.h>

#include "text/win32/wide.h"

namespace varnett {

std::string Win32Environment::ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return Narrow(path);
    }
    path.resize(path.size() * 2);
  }
}

std::string Win32Environment::DocumentsFolder() {
  wchar_t path[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path)))
    return {};
  return Narrow(path);
}

}  // namespace varnett
