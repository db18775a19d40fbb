#include "actions/virtual_drive_set.h"

#include "text/cp949.h"

namespace varnett {

void RemoveVirtualDrives(Processes& processes, const VirtualDriveSet& drives) {
  // By its full path: the shell's search by name also looks in the current
  // folder and beside the program, where someone else may have put a "subst".
  const std::string subst = processes.SystemProgram("subst.exe");
  if (subst.empty()) return;
  for (const std::string* slot :
       {&drives.ScreenshotDrive, &drives.NetmarbleDrive, &drives.NexonDrive}) {
    if (!IsBlank(*slot)) processes.ShellOpenAndWait(subst, "/D " + *slot, StartWindow::kHidden);
  }
}

}  // namespace varnett
