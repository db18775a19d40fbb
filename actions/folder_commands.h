// What the window's ten buttons do. Each command runs to its end on the
// user-interface thread and decides everything the user sees; the folders it
// works on are the ones found when the window was first shown.
//
//   FolderCommands commands({files, dialogs, waits, processes, drives, text_case, clock},
//                           paths, drive_set);  // once, at start
//   commands.OpenGameFolder(GameEdition::kNexon, main_window);
//
// While a drive is being mapped, window messages are processed, so another
// command may run nested inside one; each command closes only the wait
// window it opened itself, and the object keeps no state of its own.
#pragma once

#include <string>

#include "actions/drive_mapper.h"
#include "actions/game_edition.h"
#include "actions/virtual_drive_set.h"
#include "locator/edition_paths.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/wait_windows.h"

namespace varnett {

// The screenshot folder of the documents folder; empty when the documents
// folder is blank, since the path would then lead to whatever drive happens
// to be current.
std::string ScreenshotFolder(const EditionPaths& paths);

// The part of the system the commands use: the folders and files they test
// and delete, the boxes and wait windows the user sees, the shell, and what
// the drive mapper needs.
struct FolderCommandsSystem {
  FileSystem& files;
  Dialogs& dialogs;
  WaitWindows& waits;
  Processes& processes;
  DriveSystem& drives;
  TextCase& text_case;
  WaitClock& clock;
};

class FolderCommands {
 public:
  // `paths` and `drives` are the process-wide values; both must outlive this.
  FolderCommands(FolderCommandsSystem system, const EditionPaths& paths, VirtualDriveSet& drives);
  FolderCommands(const FolderCommands&) = delete;
  FolderCommands& operator=(const FolderCommands&) = delete;

  // Maps the edition's install folder to its drive (once per run) and lets
  // the shell open the drive's root, owned by `main_window`.
  void OpenGameFolder(GameEdition edition, WindowHandle main_window);
  // The same for the screenshot folder, which both editions share.
  void OpenScreenshotFolder(WindowHandle main_window);
  // After a Yes, deletes everything inside the screenshot folder, which stays.
  // A folder whose name the system cannot be given exactly is reported as
  // not deleted, without asking.
  void DeleteScreenshots();
  // After a Yes, deletes the edition's settings file "gvi.dat", and nothing else.
  void ResetGame(GameEdition edition);
  // The shell, when it is asked, opens the address owned by
  // `application_window`, the hidden window that owns the main window.
  void OpenHomePage(GameEdition edition, WindowHandle application_window);

 private:
  // Shows the wait window while `folder` gets its drive, then opens the
  // drive's root. `cannot_open` is said when no drive could be made.
  void OpenThroughDrive(DriveSlot slot, const std::string& folder, const std::string& wait_text,
                        const std::string& cannot_open, WindowHandle main_window);
  const std::string& EditionFolder(GameEdition edition) const;

  FolderCommandsSystem platform_;
  const EditionPaths& paths_;
  VirtualDriveSet& drives_;
  DriveMapper mapper_;
};

}  // namespace varnett
