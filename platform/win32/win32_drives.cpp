#include "platform/win32/win32_drives.h"

#include <windows.h>

#include "text/win32/wide.h"

namespace varnett {

uint32_t Win32Drives::DriveType(const std::string& root) {
  return GetDriveTypeW(Wide(root).c_str());
}

std::string Win32Drives::DosDeviceTarget(const std::string& drive_name) {
  wchar_t target[260] = {};
  if (QueryDosDeviceW(Wide(drive_name).c_str(), target, 260) == 0) return {};
  return Narrow(std::wstring(target));  // the first string of the answer
}

}  // namespace varnett
