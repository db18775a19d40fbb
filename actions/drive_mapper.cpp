#include "actions/drive_mapper.h"

#include "actions/cooperative_delay.h"
#include "actions/drive_letters.h"
#include "actions/process_helpers.h"
#include "text/command_line.h"
#include "text/cp949.h"
#include "text/system_path.h"

namespace varnett {

namespace {

constexpr DriveSlot kSlots[] = {&VirtualDriveSet::ScreenshotDrive, &VirtualDriveSet::NetmarbleDrive,
                                &VirtualDriveSet::NexonDrive};

bool AnotherSlotFilled(const VirtualDriveSet& drives, DriveSlot slot) {
  for (DriveSlot other : kSlots)
    if (other != slot && !(drives.*other).empty()) return true;
  return false;
}

}  // namespace

DriveMapper::DriveMapper(DriveMapperSystem system)
    : processes_(system.processes),
      drives_(system.drives),
      clock_(system.clock),
      upper_case_map_(BuildUpperCaseMap(system.text_case)) {}

std::string DriveMapper::FindFreeDriveLetter() {
  std::string candidates = "ZYXWVUTSRQPONMLKJIHGFEDCBA";
  TDriveLetters letters(drives_);
  for (const std::string& entry : letters.Drives()) {
    if (entry.empty()) continue;
    candidates = ReplaceOccurrences(candidates, entry.substr(0, 1), "", false, upper_case_map_);
  }
  if (candidates.empty()) return {};
  return candidates.substr(0, 1) + ":";
}

bool DriveMapper::MapVirtualDrive(VirtualDriveSet& drives, DriveSlot slot,
                                  const std::string& folder) {
  if (!IsBlank(drives.*slot)) return true;
  // "subst" would map whatever the system makes of a changed name: another
  // folder, or none.
  if (!IsExactSystemPath(folder)) return false;
  // The system's own "subst", by its full path: the search by name looks in
  // the program's folder first, where someone else may have put one.
  const std::string subst = processes_.SystemProgram("subst.exe");
  if (subst.empty()) return false;
  std::string letter = FindFreeDriveLetter();
  if (letter.empty()) return false;
  // Filled before "subst" runs, so that a request for the same slot nested in
  // the wait below reuses it instead of mapping a second letter.
  drives.*slot = letter;
  // An exit code that cannot be read says nothing; the drive itself decides.
  uint32_t exit_code = 0;
  bool mapped = ExecuteCommand(processes_, subst,
                               QuotedArgument(subst) + " " + letter + " " + QuotedArgument(folder),
                               StartWindow::kHidden, WaitMode::kUntilEnded, &exit_code) &&
                exit_code == 0 && drives_.DriveType(letter + "\\") != kDriveNoRootDir;
  if (!mapped) {
    (drives.*slot).clear();
    return false;
  }
  if (AnotherSlotFilled(drives, slot)) WaitSeconds(clock_, 3);
  return true;
}

}  // namespace varnett
