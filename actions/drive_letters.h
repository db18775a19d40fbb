// A snapshot of the drive letters in use, taken once when it is made. Make a
// new one for a current picture; nothing keeps one alive.
#pragma once

#include <string>
#include <vector>

#include "platform/drives.h"

namespace varnett {

class DriveLetters {
 public:
  explicit DriveLetters(Drives& system);

  // One entry per letter in use, from A to Z: the drive name, "=", and the
  // device the system names for it ("Z:=\??\C:\Games" for a subst drive).
  // The target is empty when the system does not say; the first character is
  // always the upper-case letter.
  const std::vector<std::string>& InUse() const { return drives_; }

 private:
  std::vector<std::string> drives_;
};

}  // namespace varnett
