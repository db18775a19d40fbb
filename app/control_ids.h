// Child-window IDs of the main window's controls. Automation finds a control
// by its ID (GetDlgCtrlID) as well as by its text, so the numbers stay as
// they are.
#pragma once

namespace varnett {

enum ControlId : int {
  kNetmarbleTitle = 101,
  kNetmarbleOpenGameFolder = 111,
  kNetmarbleOpenScreenshots = 112,
  kNetmarbleResetGame = 113,
  kNetmarbleDeleteScreenshots = 114,
  kNetmarbleHomePage = 117,
  kNexonTitle = 102,
  kNexonOpenGameFolder = 121,
  kNexonOpenScreenshots = 122,
  kNexonResetGame = 123,
  kNexonDeleteScreenshots = 124,
  kNexonHomePage = 130,
  kBanner = 140,
  kBannerImage = 141,
  kGreeting = 142,
  kServerName = 143,
  kPicture = 144,
};

}  // namespace varnett
