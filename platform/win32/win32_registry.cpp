#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/scoped_handle.h"
#include "text/win32/wide.h"

namespace varnett {

namespace {

// The game installers and the café's own tools write their keys as 32-bit
// programs, so on 64-bit Windows their local-machine keys live in the 32-bit
// view. That view is read first; a value found only in the native view (a
// 64-bit installer, or a 64-bit tool that added to a key both views hold) is
// still found. The fallback goes value by value, not key by key.
constexpr REGSAM kViews[] = {KEY_WOW64_32KEY, KEY_WOW64_64KEY};

ScopedRegistryKey OpenForReading(HKEY base, const std::wstring& key, REGSAM view) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(base, key.c_str(), 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS)
    opened = nullptr;
  return ScopedRegistryKey(opened);
}

RegistryValue ReadValue(HKEY key, const std::wstring& name) {
  RegistryValue result;
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return result;
  // The value may change between the calls; ask again with its new size.
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
      result.kind = RegistryValue::Kind::kOtherType;
      return result;
    }
    // Room for an odd byte count and a terminator the value may lack.
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
    DWORD bytes = static_cast<DWORD>((data.size() - 1) * sizeof(wchar_t));
    LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(data.data()), &bytes);
    if (status == ERROR_MORE_DATA) {
      size = bytes;
      continue;
    }
    if (status != ERROR_SUCCESS) return result;
    if (type != REG_SZ && type != REG_EXPAND_SZ) continue;
    result.kind = RegistryValue::Kind::kText;
    result.text = Narrow(std::wstring(data.data()));  // up to the first NUL, never expanded
    return result;
  }
  return result;
}

}  // namespace

RegistryValue Win32Registry::Read(RegistryRoot root, const std::string& key,
                                  const std::string& value_name) {
  HKEY base = root == RegistryRoot::kCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  const std::wstring wide_key = Wide(key), wide_name = Wide(value_name);
  for (REGSAM view : kViews) {
    // Closed on every way out, also when a conversion runs out of memory.
    ScopedRegistryKey opened = OpenForReading(base, wide_key, view);
    if (!opened) continue;
    RegistryValue value = ReadValue(opened.get(), wide_name);
    if (value.kind != RegistryValue::Kind::kMissing) return value;
  }
  return {};
}

}  // namespace varnett
