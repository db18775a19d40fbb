// One whole locator run with nobody listening, as the program's window makes
// it at start-up: on a machine where nothing is installed (every step of both
// editions runs) and on a café machine without a catalogue (Netmarble at its
// first default folder, Nexon from the machine's RootPath). The registry is a
// plain list, so the figures are the locator's own work and the folder tests.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "locator/install_locator.h"
#include "platform/sim/sim_platform.h"

namespace varnett {
namespace {

// Answers from a short list, compared byte for byte, recording nothing.
struct ListRegistry : Registry {
  struct Entry {
    RegistryRoot root;
    std::string key, name, text;
  };
  std::vector<Entry> entries;

  RegistryValue Read(RegistryRoot root, const std::string& key, const std::string& name) override {
    for (const Entry& e : entries)
      if (e.root == root && e.key == key && e.name == name)
        return {RegistryValue::Kind::kText, e.text};
    return {};
  }
};

void Locate(benchmark::State& state, bool cafe) {
  SimPlatform sim;
  ListRegistry registry;
  if (cafe) {
    sim.files.AddDirectory("D:\\Netmarble\\NetmarbleSuddenAttack");
    sim.files.AddDirectory("C:\\Games\\Nexon SA");
    registry.entries.push_back({RegistryRoot::kLocalMachine, "SOFTWARE\\Nexon\\SuddenAttack",
                                "RootPath", "C:\\Games\\Nexon SA\\"});
  }
  InstallLocator locator({sim.environment, registry, sim.files, sim.dialogs});
  for (auto _ : state) {
    EditionPaths paths;
    locator.Run(paths);
    benchmark::DoNotOptimize(paths);
  }
}

void BM_LocateNothingInstalled(benchmark::State& state) { Locate(state, false); }
void BM_LocateCafe(benchmark::State& state) { Locate(state, true); }

BENCHMARK(BM_LocateNothingInstalled);
BENCHMARK(BM_LocateCafe);

}  // namespace
}  // namespace varnett

BENCHMARK_MAIN();
