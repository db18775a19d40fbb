#include "tests/e2e/cafe.h"

#include "tests/e2e/driver.h"

namespace varnett::e2e {
namespace {

const std::wstring kNetmarbleKey = L"SOFTWARE\\Netmarble\\NetmarbleSuddenAttack";
const std::wstring kNexonKey = L"SOFTWARE\\Nexon\\SuddenAttack";

}  // namespace

void PrepareCafe(const Cafe& cafe) {
  // A hidden folder without a catalogue: the editions come from the
  // registry values below.
  std::wstring hide = kRoot + L"\\hide";
  MakeFolders(hide);
  SetString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Trovek\\Config", L"HideFolder", hide);

  std::wstring netmarble = kRoot + L"\\games\\Netmarble\\SuddenAttack";
  std::wstring nexon = kRoot + L"\\games\\Nexon\\SuddenAttack";
  MakeFolders(netmarble);
  MakeFolders(nexon);
  WriteFile(netmarble + L"\\gvi.dat", "settings");
  WriteFile(nexon + L"\\gvi.dat", "settings");
  if (cafe.netmarble_value_not_text) {
    SetDword(HKEY_CURRENT_USER, kNetmarbleKey, L"DestDir", 1);
  } else if (cafe.netmarble) {
    SetString(HKEY_CURRENT_USER, kNetmarbleKey, L"DestDir", netmarble);
  } else {
    DeleteValue(HKEY_CURRENT_USER, kNetmarbleKey, L"DestDir");
  }
  if (cafe.nexon) {
    SetString(HKEY_CURRENT_USER, kNexonKey, L"RootPath", nexon);
  } else {
    DeleteValue(HKEY_CURRENT_USER, kNexonKey, L"RootPath");
  }
}

}  // namespace varnett::e2e
