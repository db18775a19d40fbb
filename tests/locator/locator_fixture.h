// A simulated machine for locator runs: the simulated platform, a trace
// recording every step and a catalogue that answers from a map of records.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/errors.h"
#include "locator/install_locator.h"
#include "platform/sim/sim_platform.h"
#include "platform/text.h"
#include "tests/locator/locator_records.h"

namespace varnett {

struct RecordingTrace : LocatorTrace {
  std::vector<LocatorStep> steps;
  void Add(LocatorStep step) override { steps.push_back(std::move(step)); }
};

// The four values the locator takes from a catalogue record.
struct FakeRecord {
  std::string MPath, DPath, InsRPath, PRPath;
};

struct FakeCatalogue : CatalogueLookup {
  std::map<std::string, FakeRecord> records;  // by catalogue key, CP949
  std::string error;                          // raised when not empty...
  std::string set_before_error;               // ...after F1 took this value
  Outcome without_record = Outcome::kNoRecord;
  std::vector<std::string> calls;  // "path|key"

  Outcome LookUp(const std::string& path, const std::string& key, Candidates& c) override {
    calls.push_back(path + "|" + key);
    if (!error.empty()) {
      c.F1 = set_before_error;
      throw EDatabaseError(error);
    }
    auto it = records.find(key);
    if (it == records.end()) return without_record;
    c.F1 = it->second.MPath;
    c.F2 = it->second.DPath;
    c.K1 = it->second.InsRPath;
    c.K2 = it->second.PRPath;
    return Outcome::kFound;
  }
};

struct LocatorMachine {
  SimPlatform sim;
  FakeCatalogue catalogue;
  RecordingTrace trace;
  EditionPaths paths;

  static std::string NetmarbleKey() { return Ko("서든어택"); }
  static std::string NexonKey() { return Ko("넥슨서든어택"); }

  void AddCatalogueFile(const std::string& hide_folder = "D:\\PLX") {
    sim.files.AddFile(hide_folder + "\\GameData\\GPData.nif", "catalogue");
  }
  void Run() {
    InstallLocator locator({sim.environment, sim.registry, sim.files, sim.dialogs}, catalogue);
    locator.SetTrace(&trace);
    locator.Run(paths);
  }
};

}  // namespace varnett
