// Maps folders to free drive letters with "subst" (virtual drives) and keeps
// the letters in the three drive slots.
//
//   DriveMapper mapper({processes, drives, text_case, clock});  // once: builds the case map
//   if (!mapper.MapVirtualDrive(drives, &VirtualDriveSet::NetmarbleDrive, folder))
//     ... tell the user the folder cannot be opened ...
//   ... open drives.NetmarbleDrive + "\" in the shell ...
#pragma once

#include <string>

#include "actions/replace_occurrences.h"
#include "actions/virtual_drive_set.h"
#include "platform/clock.h"
#include "platform/drives.h"
#include "platform/processes.h"
#include "text/text_case.h"

namespace varnett {

// One of the three slots, e.g. &VirtualDriveSet::ScreenshotDrive.
using DriveSlot = std::string VirtualDriveSet::*;

// The part of the system the mapper uses: "subst", the drives in use, the
// case rule of drive letters, and the clock that paces the wait after a
// second drive, processing messages.
struct DriveMapperSystem {
  Processes& processes;
  DriveSystem& drives;
  TextCase& text_case;
  WaitClock& clock;
};

class DriveMapper {
 public:
  explicit DriveMapper(DriveMapperSystem system);

  // The highest free letter as a drive name ("Z:"), from a fresh snapshot of
  // the letters in use; empty when all 26 are in use.
  std::string FindFreeDriveLetter();

  // Makes the slot usable: a filled slot is reused as it is, with no command
  // and no wait. Otherwise the slot takes the highest free letter before
  // the system's "subst X: "folder"" (started by its full path, the folder
  // quoted so that it reads back unchanged) runs hidden and is waited for;
  // when another slot is
  // already filled, three seconds follow in which window messages (and so
  // other commands) are processed. True when the slot holds a working drive.
  // False, with the slot left empty so that a later request tries again, when
  // the folder is not exactly what the system would be given
  // (IsExactSystemPath), the system folder is unknown or no letter is free
  // (nothing runs then in any of these), when "subst" cannot be started,
  // when it ends with a non-zero exit code, or when the letter still does not
  // lead anywhere afterwards. In every failure there is no wait.
  bool MapVirtualDrive(VirtualDriveSet& drives, DriveSlot slot, const std::string& folder);

  const UpperCaseMap& upper_case_map() const { return upper_case_map_; }

 private:
  Processes& processes_;
  DriveSystem& drives_;
  WaitClock& clock_;
  UpperCaseMap upper_case_map_;
};

}  // namespace varnett
