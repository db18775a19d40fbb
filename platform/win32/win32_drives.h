#pragma once

#include "platform/drives.h"

namespace varnett {

class Win32Drives : public Drives {
 public:
  uint32_t DriveType(const std::string& root) override;
  std::string DosDeviceTarget(const std::string& drive_name) override;
};

}  // namespace varnett
