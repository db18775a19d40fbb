#include "actions/folder_commands.h"

#include "actions/home_pages.h"
#include "actions/process_helpers.h"
#include "text/conversions.h"
#include "text/cp949.h"
#include "text/system_path.h"

namespace varnett {

namespace {

// The wait-window texts have no leading empty line; the boxes' texts do.
const std::string& GameFolderMissing() {
  static const std::string text = Ko("\r\n서든 폴더가 존재하지 않습니다.");
  return text;
}
const std::string& OpeningGameFolder() {
  static const std::string text = Ko("서든 폴더를 열고 있습니다.\r\n잠시만 기다려 주십시오.");
  return text;
}
const std::string& CannotOpenGameFolder() {
  static const std::string text = Ko("\r\n서든 폴더를 열 수 없습니다.");
  return text;
}
const std::string& ScreenshotFolderMissing() {
  static const std::string text = Ko("\r\n스크린샷 폴더가 존재하지 않습니다.");
  return text;
}
const std::string& OpeningScreenshotFolder() {
  static const std::string text = Ko("스크린샷 폴더를 열고 있습니다.\r\n잠시만 기다려 주십시오.");
  return text;
}
const std::string& CannotOpenScreenshotFolder() {
  static const std::string text = Ko("\r\n스크린샷 폴더를 열 수 없습니다.");
  return text;
}
// Said also when there was no folder to delete from.
const std::string& ScreenshotsGone() {
  static const std::string text = Ko("\r\n스크린샷 폴더가 삭제되었습니다.");
  return text;
}
const std::string& AskDeleteScreenshots() {
  static const std::string text = Ko("\r\n스크린샷 폴더를 삭제하시겠습니까?");
  return text;
}
const std::string& ScreenshotsDeleted() {
  static const std::string text = Ko("\r\n스크린샷 폴더를 삭제하였습니다.");
  return text;
}
const std::string& ScreenshotsNotDeleted() {
  static const std::string text = Ko("\r\n스크린샷 폴더를 삭제하지 못했습니다.");
  return text;
}
// Said also when there was no settings file: the game counts as reset.
const std::string& GameReset() {
  static const std::string text = Ko("\r\n서든어택이 초기화 되었습니다.");
  return text;
}
const std::string& AskResetGame() {
  static const std::string text = Ko("\r\n서든어택을 초기화 하시겠습니까?");
  return text;
}

}  // namespace

std::string ScreenshotFolder(const EditionPaths& paths) {
  if (IsBlank(paths.DocumentsFolder)) return {};
  return paths.DocumentsFolder + "\\Suddenattack\\screenshot";
}

FolderCommands::FolderCommands(FolderCommandsSystem system, const EditionPaths& paths,
                               VirtualDriveSet& drives)
    : platform_(system),
      paths_(paths),
      drives_(drives),
      mapper_({system.processes, system.drives, system.text_case, system.clock}) {}

const std::string& FolderCommands::EditionFolder(GameEdition edition) const {
  return edition == GameEdition::kNetmarble ? paths_.NetmarbleFolder : paths_.NexonFolder;
}

void FolderCommands::OpenGameFolder(GameEdition edition, WindowHandle main_window) {
  const std::string& folder = EditionFolder(edition);
  if (IsBlank(folder) || !platform_.files.DirectoryExists(folder)) {
    platform_.dialogs.Information(GameFolderMissing());
    return;
  }
  DriveSlot slot = edition == GameEdition::kNetmarble ? &VirtualDriveSet::NetmarbleDrive
                                                      : &VirtualDriveSet::NexonDrive;
  OpenThroughDrive(slot, folder, OpeningGameFolder(), CannotOpenGameFolder(), main_window);
}

void FolderCommands::OpenScreenshotFolder(WindowHandle main_window) {
  const std::string folder = ScreenshotFolder(paths_);
  if (folder.empty() || !platform_.files.DirectoryExists(folder)) {
    platform_.dialogs.Information(ScreenshotFolderMissing());
    return;
  }
  OpenThroughDrive(&VirtualDriveSet::ScreenshotDrive, folder, OpeningScreenshotFolder(),
                   CannotOpenScreenshotFolder(), main_window);
}

void FolderCommands::OpenThroughDrive(DriveSlot slot, const std::string& folder,
                                      const std::string& wait_text, const std::string& cannot_open,
                                      WindowHandle main_window) {
  // The wait window shows also when the drive exists already.
  WaitWindows::Handle wait = platform_.waits.Open(wait_text);
  if (!mapper_.MapVirtualDrive(drives_, slot, folder)) {
    platform_.waits.Close(wait);
    platform_.dialogs.Information(cannot_open);
    return;
  }
  // Whatever the shell makes of it, it shows its own message.
  platform_.processes.ShellOpen(main_window, "open", drives_.*slot + "\\", "");
  platform_.waits.Close(wait);
}

void FolderCommands::DeleteScreenshots() {
  const std::string folder = ScreenshotFolder(paths_);
  // A name the system cannot be given exactly is not found, which is not the
  // same as gone: the shots may well be there.
  if (!folder.empty() && !IsExactSystemPath(folder)) {
    platform_.dialogs.Information(ScreenshotsNotDeleted());
    return;
  }
  if (folder.empty() || !platform_.files.DirectoryExists(folder)) {
    platform_.dialogs.Information(ScreenshotsGone());
    return;
  }
  if (!platform_.dialogs.Confirm(AskDeleteScreenshots())) return;
  // The pattern empties the folder and keeps it.
  if (ShellDeletePath(platform_.processes, folder + "\\*.*", false))
    platform_.dialogs.Information(ScreenshotsDeleted());
  else
    platform_.dialogs.Information(ScreenshotsNotDeleted());
}

void FolderCommands::ResetGame(GameEdition edition) {
  const std::string& folder = EditionFolder(edition);
  // With no folder the path would name "\gvi.dat" on the current drive.
  const std::string settings = IsBlank(folder) ? std::string() : folder + "\\gvi.dat";
  if (settings.empty() || !platform_.files.FileExists(settings)) {
    platform_.dialogs.Information(GameReset());
    return;
  }
  if (!platform_.dialogs.Confirm(AskResetGame())) return;
  if (platform_.files.RemoveFile(settings)) platform_.dialogs.Information(GameReset());
}

void FolderCommands::OpenHomePage(GameEdition edition, WindowHandle application_window) {
  OpenDocument(platform_.processes, application_window, HomePage(edition), "");
}

}  // namespace varnett
