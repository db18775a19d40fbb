#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide.h"

namespace varnett {

RegistryValue Win32Registry::Read(RegistryRoot root, const std::string& key,
                                  const std::string& value_name) {
  HKEY opened;
  HKEY base = root == RegistryRoot::kCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  if (RegOpenKeyExW(base, Wide(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return {};
  std::wstring name = Wide(value_name);
  RegistryValue result;
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(opened, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
      result.kind = RegistryValue::Kind::kOtherType;
    } else {
      std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
      DWORD bytes = static_cast<DWORD>((data.size() - 1) * sizeof(wchar_t));
      if (RegQueryValueExW(opened, name.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(data.data()), &bytes) == ERROR_SUCCESS) {
        result.kind = RegistryValue::Kind::kText;
        result.text = Narrow(std::wstring(data.data()));  // up to the first NUL
      }
    }
  }
  RegCloseKey(opened);
  return result;
}

}  // namespace varnett
