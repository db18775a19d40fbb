#include "actions/virtual_drive_set.h"

#include "actions/process_helpers.h"
#include "text/cp949.h"

namespace varnett {

void RemoveVirtualDrives(Processes& processes, const VirtualDriveSet& slots) {
  for (const std::string* slot :
       {&slots.ScreenshotDrive, &slots.NetmarbleDrive, &slots.NexonDrive}) {
    if (!IsBlank(*slot))
      ShellExecuteAndWait(processes, "subst", "/D " + *slot, StartWindow::kHidden);
  }
}

}  // namespace varnett
