// The whole reading path over an archive held in memory: end record, central
// directory or local-header scan, and the extraction of "Game.dat" with
// whatever method its entry names.
#include <string>

#include "catalogue/errors.h"
#include "catalogue/unzipper.h"
#include "platform/sim/sim_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static varnett::SimPlatform* sim = new varnett::SimPlatform;
  sim->files.AddFile("C:\\PLX\\GameData\\GPData.nif",
                     std::string(reinterpret_cast<const char*>(data), size));
  sim->dialogs.shown.clear();
  varnett::TUnZipper unzipper(sim->files, sim->dialogs);
  unzipper.SetZipName("C:\\PLX\\GameData\\GPData.nif");
  varnett::MemoryStream stream;
  try {
    unzipper.ExtractToStream(&stream, "Game.dat");
  } catch (const varnett::CatalogueError&) {
  }
  return 0;
}
