// The demo café's helper for the run command and the start-up benchmark:
//
//   varnett_demo cafe HIDE NETMARBLE NEXON [RECORDS]
//     writes the catalogue "HIDE\GameData\GPData.nif" naming both editions'
//     folders, with the tests' catalogue writer; RECORDS makes it that many
//     records long, the other games before the two editions' (at least one)
//   varnett_demo tour PICTURES
//     presses every button of the running window (see tour.h)
//   varnett_demo picture FILE
//     saves a picture (BMP) of the running window once it has painted
//
// Exits 0 when everything came to pass, 1 when not, 2 on a wrong command line.
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>

#include "tests/support/e2e/cafe.h"
#include "tests/support/win32/build_folder.h"
#include "tests/wintools/varnett_demo/tour.h"

int wmain(int argc, wchar_t** argv) {
  using namespace varnett;
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"cafe" && (argc == 5 || argc == 6)) {
    const int records = argc == 6 ? _wtoi(argv[5]) : 0;
    return e2e::WriteCatalogue(argv[2], argv[3], argv[4], std::max(1, records - 2)) ? 0 : 1;
  }
  if (command == L"tour" && argc == 3) {
    // The stand-in browser is built beside this program.
    const std::wstring browser_log = support::BuildFolder() + L"\\browser.log";
    return demo::PressEveryButton(argv[2], browser_log) ? 0 : 1;
  }
  if (command == L"picture" && argc == 3) return demo::PictureOfWindow(argv[2]) ? 0 : 1;
  std::fprintf(stderr,
               "usage: varnett_demo cafe HIDE NETMARBLE NEXON [RECORDS]\n"
               "       varnett_demo tour PICTURES\n"
               "       varnett_demo picture FILE\n");
  return 2;
}
