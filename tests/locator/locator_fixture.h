// A simulated machine for locator runs: the simulated platform, the trace of
// every step, and real catalogue files made by the writer, which
// the locator reads with the program's own archive reader and table.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "locator/install_locator.h"
#include "platform/sim/sim_platform.h"
#include "tests/locator/locator_records.h"
#include "text/conversions.h"
#include "tools/writer/archive_writer.h"
#include "tools/writer/catalogue_writer.h"

namespace varnett {

// An archive holding one member.
inline std::string Archive(const std::string& member_name, const std::string& member) {
  ArchiveMember m;
  m.name = member_name;
  m.data = member;
  return WriteArchive({m});
}

// A catalogue archive whose "Game.dat" holds `records`.
inline std::string Catalogue(const std::vector<StreamRecord>& records) {
  return Archive("Game.dat", WriteGameCatalogue(records));
}

// A record naming a game's four candidates (CP949).
inline StreamRecord Edition(const std::string& game, const std::string& mpath,
                            const std::string& dpath, const std::string& ins_rpath,
                            const std::string& pr_path) {
  return GameRecord({{"Game", game},
                     {"MPath", mpath},
                     {"DPath", dpath},
                     {"InsRPath", ins_rpath},
                     {"PRPath", pr_path},
                     {"Prog", "game.exe"}});
}

struct LocatorMachine {
  SimPlatform sim;
  std::vector<LocatorStep> trace;
  EditionPaths paths;

  static std::string NetmarbleKey() { return Ko("서든어택"); }
  static std::string NexonKey() { return Ko("넥슨서든어택"); }

  // The catalogue file, by default one holding no records.
  void AddCatalogueFile(const std::string& bytes = Catalogue({}),
                        const std::string& hide_folder = "D:\\PLX") {
    sim.files.AddFile(hide_folder + "\\GameData\\GPData.nif", bytes);
  }
  void Run() {
    InstallLocator({sim.environment, sim.registry, sim.files, sim.dialogs}).Run(paths, &trace);
  }
};

}  // namespace varnett
