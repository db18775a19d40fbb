// The three drive slots: each empty or holding a drive name such as "Z:".
#pragma once

#include <string>

#include "platform/processes.h"

namespace varnett {

struct VirtualDriveSet {
  std::string ScreenshotDrive;
  std::string NetmarbleDrive;
  std::string NexonDrive;
};

// Removes every mapped drive with the system's "subst /D", one after
// another, in slot order, processing window messages while each runs.
// Reports nothing; the slots keep their values.
void RemoveVirtualDrives(Processes& processes, const VirtualDriveSet& drives);

}  // namespace varnett
