#include "actions/virtual_drive_set.h"

namespace varnett {

// Placeholder until the drive mapper lands.
void RemoveVirtualDrives(Platform&, const VirtualDriveSet&) {}

}  // namespace varnett
