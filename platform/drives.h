// What the system knows about drive letters.
#pragma once

#include <cstdint>
#include <string>

namespace varnett {

constexpr uint32_t kDriveUnknown = 0;
constexpr uint32_t kDriveNoRootDir = 1;
constexpr uint32_t kDriveFixed = 3;

struct Drives {
  virtual ~Drives() = default;
  // GetDriveType of a root path such as "Z:\"; kDriveNoRootDir for a free letter.
  virtual uint32_t DriveType(const std::string& root) = 0;
  // QueryDosDevice of a drive name such as "Z:", with room for 260
  // characters: the first target string, or empty when the query fails.
  virtual std::string DosDeviceTarget(const std::string& drive_name) = 0;
};

}  // namespace varnett
