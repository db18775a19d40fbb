// Child-window IDs of the main window's controls. Automation finds a control
// by its ID (GetDlgCtrlID) as well as by its text.
#pragma once

namespace varnett {

enum ControlId : int {
  kLabel3 = 101,
  kNetmarbleButton1 = 111,
  kNetmarbleButton2 = 112,
  kNetmarbleButton3 = 113,
  kNetmarbleButton4 = 114,
  kPanel1 = 140,
  kImage1 = 141,
  kLabel1 = 142,
  kLabel2 = 143,
  kImage2 = 144,
  kButton7 = 117,
  kLabel4 = 102,
  kNexonButton1 = 121,
  kNexonButton2 = 122,
  kNexonButton3 = 123,
  kNexonButton4 = 124,
  kButton10 = 130,
};

}  // namespace varnett
