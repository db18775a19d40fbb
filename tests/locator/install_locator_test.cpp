// Where the candidates come from: the catalogue when its file exists (and
// nothing else then), the editions' defaults when it does not. Catalogue
// failures show one box per edition and the searches go on.
#include <gtest/gtest.h>

#include "tests/locator/locator_fixture.h"

namespace varnett {
namespace {

constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;

// Every default folder exists, so whatever a search does not find was not
// among its candidates.
void AddEveryDefaultFolder(SimFileSystem& files) {
  for (const char* folder :
       {"D:\\Netmarble\\NetmarbleSuddenAttack", "C:\\Netmarble\\NetmarbleSuddenAttack",
        "D:\\Program Files\\Nexon\\SuddenAttack", "C:\\Program Files\\Nexon\\SuddenAttack"})
    files.AddDirectory(folder);
}

TEST(CandidateTable, CatalogueRecordReplacesTheDefaults) {
  LocatorMachine m;
  m.AddCatalogueFile(Catalogue({
      Edition(LocatorMachine::NetmarbleKey(), "E:\\NM\\First", "E:\\NM\\Second",
              "SOFTWARE\\Cafe\\NM1", "SOFTWARE\\Cafe\\NM2"),
      Edition(LocatorMachine::NexonKey(), "E:\\Gone", "", "SOFTWARE\\Cafe\\SA1",
              "SOFTWARE\\Cafe\\SA2"),
  }));
  AddEveryDefaultFolder(m.sim.files);
  m.sim.files.AddDirectory("E:\\NM\\Second");
  m.sim.files.AddDirectory("E:\\SA");
  m.sim.registry.SetText(kMachine, "SOFTWARE\\Cafe\\SA2", "RootPath", "E:\\SA\\");
  m.Run();
  EXPECT_EQ(m.paths.NetmarbleFolder, "E:\\NM\\Second");
  EXPECT_EQ(m.paths.NexonFolder, "E:\\SA");  // K2 of the record, step 2
  Candidates record;
  record.F1 = "E:\\NM\\First";
  record.F2 = "E:\\NM\\Second";
  record.K1 = "SOFTWARE\\Cafe\\NM1";
  record.K2 = "SOFTWARE\\Cafe\\NM2";
  EXPECT_EQ(m.trace[3], RecordStep(LocatorStep::Edition::kNetmarble, LocatorStep::Outcome::kFound,
                                   LocatorMachine::NetmarbleKey(), record));
  EXPECT_TRUE(m.sim.dialogs.shown.empty());
}

TEST(CandidateTable, CatalogueWithoutTheRecordLeavesOnlyNexonsFixedCandidates) {
  // Other games only, and an archive without the table.
  for (const std::string& catalogue :
       {Catalogue({Edition(Ko("카트라이더"), "E:\\Kart", "", "SOFTWARE\\Kart", "")}),
        Archive("Other.dat", "x")}) {
    LocatorMachine m;
    m.AddCatalogueFile(catalogue);
    AddEveryDefaultFolder(m.sim.files);
    m.sim.files.AddDirectory("C:\\Nexon\\SuddenAttack");
    m.Run();
    EXPECT_EQ(m.paths.NetmarbleFolder, "");
    EXPECT_EQ(m.paths.NexonFolder, "C:\\Nexon\\SuddenAttack");  // step 11
    // Netmarble reads no registry at all; Nexon only its fixed K3 and K4.
    for (const std::string& read : m.sim.registry.reads) {
      if (read.find("HideFolder") != std::string::npos) continue;
      EXPECT_EQ(read.substr(5, kNexonKey.size()), kNexonKey) << read;
    }
    EXPECT_EQ(m.sim.registry.reads.size(), 1u + 8u);
    EXPECT_TRUE(m.sim.dialogs.shown.empty());
  }
}

TEST(CandidateTable, CatalogueFolderOfTheSameNameIsNotACatalogue) {
  LocatorMachine m;
  m.sim.files.AddDirectory("D:\\PLX\\GameData\\GPData.nif");
  m.sim.files.AddDirectory("D:\\Netmarble\\NetmarbleSuddenAttack");
  m.Run();
  EXPECT_EQ(m.trace[2], CatalogueStep(kNetmarble, kDefault));
  EXPECT_EQ(m.paths.NetmarbleFolder, "D:\\Netmarble\\NetmarbleSuddenAttack");
}

TEST(CandidateTable, DamagedCatalogueShowsOneBoxPerEditionAndSearchesGoOn) {
  const std::string table = WriteGameCatalogue({});
  LocatorMachine m;
  m.AddCatalogueFile(Archive("Game.dat", table.substr(0, table.size() - 1)));
  AddEveryDefaultFolder(m.sim.files);
  m.sim.files.AddDirectory("D:\\Nexon\\SuddenAttack");
  m.Run();
  EXPECT_EQ(m.sim.dialogs.shown,
            (std::vector<std::string>{"info \r\nStream read error", "info \r\nStream read error"}));
  EXPECT_EQ(m.paths.NetmarbleFolder, "");
  EXPECT_EQ(m.paths.NexonFolder, "D:\\Nexon\\SuddenAttack");  // step 12
  EXPECT_EQ(m.trace[3], RecordStep(LocatorStep::Edition::kNetmarble, LocatorStep::Outcome::kFailed,
                                   LocatorMachine::NetmarbleKey(), {}, "Stream read error"));
}

}  // namespace
}  // namespace varnett
