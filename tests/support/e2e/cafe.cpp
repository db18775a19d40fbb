#include "tests/support/e2e/cafe.h"

#include <string>
#include <tuple>
#include <vector>

#include "tests/support/e2e/driver.h"
#include "text/win32/wide.h"
#include "tools/writer/archive_writer.h"
#include "tools/writer/cafe_games.h"
#include "tools/writer/catalogue_writer.h"

namespace varnett::e2e {
namespace {

const std::wstring kNetmarbleKey = L"SOFTWARE\\Netmarble\\NetmarbleSuddenAttack";
const std::wstring kNexonKey = L"SOFTWARE\\Nexon\\SuddenAttack";

}  // namespace

bool WriteCatalogue(const std::wstring& hide, const std::wstring& netmarble_folder,
                    const std::wstring& nexon_folder, int other_games, bool damaged) {
  std::vector<StreamRecord> records;
  // Another game first, so the lookup has to scan past it.
  records.push_back(GameRecord({{"Game", Narrow(L"카트라이더")}, {"MPath", "C:\\Games\\Kart"}}));
  for (int i = 1; i < other_games; ++i) records.push_back(CafeGame(i));
  // The editions' records as a café's catalogue has them.
  for (const auto& [game, folder, key] : {std::tuple{L"서든어택", netmarble_folder, kNetmarbleKey},
                                          std::tuple{L"넥슨서든어택", nexon_folder, kNexonKey}}) {
    if (folder.empty()) continue;
    records.push_back(GameRecord({{"Game", Narrow(game)},
                                  {"MPath", Narrow(folder)},
                                  {"DPath", ""},
                                  {"InsRPath", Narrow(key)},
                                  {"PRPath", Narrow(key)}}));
  }
  ArchiveMember member;
  member.name = "Game.dat";
  member.data = WriteGameCatalogue(records);
  if (damaged) member.data.pop_back();
  MakeFolders(hide + L"\\GameData");
  return WriteFile(hide + L"\\GameData\\GPData.nif", WriteArchive({member}));
}

void PrepareCafe(const Cafe& cafe) {
  // The hidden folder, holding a catalogue only when the café asks for one;
  // otherwise the editions come from the registry values below.
  std::wstring hide = kRoot + L"\\hide";
  MakeFolders(hide);
  DeleteFileW((hide + L"\\GameData\\GPData.nif").c_str());
  SetString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Trovek\\Config", L"HideFolder", hide);

  std::wstring netmarble = kRoot + L"\\games\\Netmarble\\SuddenAttack";
  std::wstring nexon = kRoot + L"\\games\\Nexon\\SuddenAttack";
  MakeFolders(netmarble);
  MakeFolders(nexon);
  WriteFile(netmarble + L"\\gvi.dat", "settings");
  WriteFile(nexon + L"\\gvi.dat", "settings");
  if (cafe.catalogue) {
    WriteCatalogue(hide, cafe.netmarble ? netmarble : L"", cafe.nexon ? nexon : L"", 1,
                   cafe.catalogue_damaged);
    DeleteValue(HKEY_CURRENT_USER, kNetmarbleKey, L"DestDir");
    DeleteValue(HKEY_CURRENT_USER, kNexonKey, L"RootPath");
    return;
  }
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
