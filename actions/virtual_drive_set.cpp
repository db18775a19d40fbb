#include "actions/virtual_drive_set.h"

#include "actions/process_helpers.h"
#include "text/cp949.h"

namespace varnett {

void RemoveVirtualDrives(Processes& processes, const VirtualDriveSet& drives) {
  for (const std::string* slot :
       {&drives.ScreenshotDrive, &drives.NetmarbleDrive, &drives.NexonDrive}) {
    if (!IsBlank(*slot))
      ShellExecuteAndWait(processes, "subst", "/D " + *slot, StartWindow::kHidden);
  }
}

}  // namespace varnett
