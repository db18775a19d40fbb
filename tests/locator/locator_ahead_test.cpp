// The locator run ahead on another thread shows nothing until its results
// are taken, and then exactly what a run on the window's thread shows: the
// same boxes in the same order, the same folders, the same error last.
#include "locator/locator_ahead.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <typeinfo>
#include <vector>

#include "tests/locator/locator_fixture.h"

namespace varnett {
namespace {

constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;

struct Outcome {
  std::vector<std::string> shown;
  EditionPaths paths;
  std::string error;  // the type and message of what the run raised, or empty
};

std::string Described(const std::exception& e) {
  return std::string(typeid(e).name()) + ": " + e.what();
}

struct Case {
  const char* name;
  std::function<void(LocatorMachine&)> prepare;
};

Outcome OnThisThread(const Case& c) {
  LocatorMachine m;
  c.prepare(m);
  Outcome out;
  try {
    InstallLocator({m.sim.environment, m.sim.registry, m.sim.files, m.sim.dialogs}).Run(out.paths);
  } catch (const std::exception& e) {
    out.error = Described(e);
  }
  out.shown = m.sim.dialogs.shown;
  return out;
}

Outcome Ahead(const Case& c) {
  LocatorMachine m;
  c.prepare(m);
  LocatorAhead ahead(m.sim.environment, m.sim.registry, m.sim.files);
  std::thread([&] { ahead.Run(); }).join();
  EXPECT_TRUE(m.sim.dialogs.shown.empty()) << "a box shown before the results were taken";
  Outcome out;
  try {
    ahead.TakeResults(m.sim.dialogs, out.paths);
  } catch (const std::exception& e) {
    out.error = Described(e);
  }
  out.shown = m.sim.dialogs.shown;
  return out;
}

TEST(LocatorAhead, ShowsWhatARunOnTheWindowsThreadShowsInTheSameOrder) {
  const std::string table = WriteGameCatalogue({});
  const std::string damaged = Archive("Game.dat", table.substr(0, table.size() - 1));
  ArchiveMember unknown_method;
  unknown_method.name = "Game.dat";
  unknown_method.data = table;
  unknown_method.method = 9;
  unknown_method.compressed = std::string("\x01\x02\x03", 3);
  const Case cases[] = {
      {"damaged catalogue, then a value of the wrong type",
       [&](LocatorMachine& m) {
         m.AddCatalogueFile(damaged);
         m.sim.registry.SetOtherType(kMachine, "SOFTWARE\\Nexon\\SuddenAttack", "RootPath");
       }},
      {"damaged catalogue, Nexon found in its fixed folder",
       [&](LocatorMachine& m) {
         m.AddCatalogueFile(damaged);
         m.sim.files.AddDirectory("D:\\Nexon\\SuddenAttack");
       }},
      {"member of an unknown method",
       [&](LocatorMachine& m) {
         m.AddCatalogueFile(WriteArchive({unknown_method}));
         m.sim.files.AddDirectory("C:\\Nexon\\SuddenAttack");
       }},
      {"both editions in the catalogue",
       [&](LocatorMachine& m) {
         m.AddCatalogueFile(Catalogue({
             Edition(LocatorMachine::NetmarbleKey(), "E:\\NM", "", "", ""),
             Edition(LocatorMachine::NexonKey(), "E:\\SA", "", "", ""),
         }));
         m.sim.files.AddDirectory("E:\\NM");
         m.sim.files.AddDirectory("E:\\SA");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Outcome here = OnThisThread(c), ahead = Ahead(c);
    EXPECT_FALSE(here.shown.empty() && here.error.empty() && here.paths.NexonFolder.empty());
    EXPECT_EQ(ahead.shown, here.shown);
    EXPECT_EQ(ahead.error, here.error);
    EXPECT_EQ(ahead.paths.DocumentsFolder, here.paths.DocumentsFolder);
    EXPECT_EQ(ahead.paths.HideFolder, here.paths.HideFolder);
    EXPECT_EQ(ahead.paths.NetmarbleFolder, here.paths.NetmarbleFolder);
    EXPECT_EQ(ahead.paths.NexonFolder, here.paths.NexonFolder);
  }
}

}  // namespace
}  // namespace varnett
