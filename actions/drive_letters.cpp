#include "actions/drive_letters.h"

namespace varnett {

// Every answer but "no root directory" counts as in use: empty CD-ROM and
// removable drives, network drives and drives of unknown type too.
DriveLetters::DriveLetters(Drives& system) {
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const std::string name = std::string(1, letter) + ":";
    if (system.DriveType(name + "\\") == kDriveNoRootDir) continue;
    drives_.push_back(name + "=" + system.DosDeviceTarget(name));
  }
}

}  // namespace varnett
