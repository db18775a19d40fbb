// The candidate table with real catalogue files made by the writer and read
// by the program's own archive reader and game table.
#include "locator/catalogue_component_lookup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "catalogue/errors.h"
#include "tests/locator/locator_fixture.h"
#include "tests/support/file_bytes.h"

namespace varnett {
namespace {

const std::string kCatalogue = "D:\\PLX\\GameData\\GPData.nif";

// A machine whose locator reads catalogues with the program's components.
struct CatalogueMachine {
  SimPlatform sim;
  std::vector<LocatorStep> trace;
  EditionPaths paths;

  explicit CatalogueMachine(const std::string& catalogue_bytes) {
    sim.files.AddFile(kCatalogue, catalogue_bytes);
    // Every default folder exists: what a search does not find was not
    // among its candidates.
    for (const char* folder :
         {"D:\\Netmarble\\NetmarbleSuddenAttack", "C:\\Netmarble\\NetmarbleSuddenAttack",
          "D:\\Program Files\\Nexon\\SuddenAttack", "C:\\Program Files\\Nexon\\SuddenAttack"})
      sim.files.AddDirectory(folder);
  }
  void Run() {
    InstallLocator({sim.environment, sim.registry, sim.files, sim.dialogs}).Run(paths, &trace);
  }
};

TEST(CatalogueLookup, FirstRecordWithTheExactKeyGivesTheCandidates) {
  const std::string netmarble = Ko("서든어택"), nexon = Ko("넥슨서든어택");
  CatalogueMachine m(Catalogue({
      Edition(Ko("카트라이더"), "E:\\Kart", "", "", ""),
      Edition(netmarble + " ", "E:\\Padded", "", "", ""),  // not trimmed
      Edition(Ko("서든어택2"), "E:\\Longer", "", "", ""),
      Edition(nexon, "E:\\Gone", "", "SOFTWARE\\Cafe\\SA1", "SOFTWARE\\Cafe\\SA2"),
      Edition(netmarble, "E:\\Gone", Ko("E:\\게임\\서든"), "", ""),
      Edition(netmarble, "E:\\Second", "E:\\Second", "", ""),  // a later duplicate
  }));
  m.sim.files.AddDirectory(Ko("E:\\게임\\서든"));
  m.sim.files.AddDirectory("E:\\Second");
  m.sim.files.AddDirectory("E:\\SA");
  m.sim.registry.SetText(RegistryRoot::kLocalMachine, "SOFTWARE\\Cafe\\SA2", "RootPath", "E:\\SA");
  m.Run();
  EXPECT_EQ(m.paths.NetmarbleFolder, Ko("E:\\게임\\서든"));
  EXPECT_EQ(m.paths.NexonFolder, "E:\\SA");
  EXPECT_TRUE(m.sim.dialogs.shown.empty());
}

TEST(CatalogueLookup, CatalogueWithoutTheRecordOrItsMemberFindsNoDefaults) {
  struct Case {
    const char* name;
    std::string bytes;
    LocatorStep::Outcome outcome;  // of the Netmarble lookup
  } cases[] = {
      {"other games only", Catalogue({Edition(Ko("카트라이더"), "E:\\Kart", "", "", "")}),
       LocatorStep::Outcome::kNotFound},
      {"no records", Catalogue({}), LocatorStep::Outcome::kNotFound},
      {"no Game.dat", Archive("Other.dat", "x"), LocatorStep::Outcome::kEmptyMember},
      {"empty Game.dat", Archive("Game.dat", ""), LocatorStep::Outcome::kEmptyMember},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CatalogueMachine m(c.bytes);
    m.sim.files.AddDirectory("C:\\Nexon\\SuddenAttack");
    m.Run();
    EXPECT_EQ(m.paths.NetmarbleFolder, "");
    EXPECT_EQ(m.paths.NexonFolder, "C:\\Nexon\\SuddenAttack");  // the fixed F3
    EXPECT_EQ(m.trace[3], RecordStep(LocatorStep::Edition::kNetmarble, c.outcome, Ko("서든어택")));
    EXPECT_TRUE(m.sim.dialogs.shown.empty());
  }
}

TEST(CatalogueLookup, DamagedCatalogueShowsOneBoxPerEditionAndSearchesGoOn) {
  std::string good = Catalogue({Edition(Ko("서든어택"), "E:\\NM", "", "", "")});
  std::string stream = WriteGameCatalogue({Edition(Ko("서든어택"), "E:\\NM", "", "", "")});
  struct Case {
    const char* name;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"not an archive", "not an archive at all", "Incomplete Zip File"},
      {"cut short", good.substr(0, good.size() / 2), "Incomplete Zip File"},
      {"member not a table", Archive("Game.dat", "TPF1 garbage"), "Invalid stream format"},
      {"table cut short", Archive("Game.dat", stream.substr(0, stream.size() - 3)),
       "Stream read error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CatalogueMachine m(c.bytes);
    m.sim.files.AddDirectory("D:\\Nexon\\SuddenAttack");
    m.Run();
    std::string box = std::string("info \r\n") + c.message;
    EXPECT_EQ(m.sim.dialogs.shown, (std::vector<std::string>{box, box}));
    EXPECT_EQ(m.paths.NetmarbleFolder, "");
    EXPECT_EQ(m.paths.NexonFolder, "D:\\Nexon\\SuddenAttack");  // the fixed F4
  }
}

// The archive is closed after a lookup that raised nothing and left as the
// failure left it otherwise; the table is emptied before every load.
TEST(CatalogueLookup, ClosesTheArchiveOnlyAfterSuccess) {
  SimPlatform sim;
  sim.files.AddFile(kCatalogue, Catalogue({Edition(Ko("서든어택"), "E:\\NM", "", "", "")}));
  const std::string broken = "D:\\PLX\\GameData\\Broken.nif";
  sim.files.AddFile(broken, Archive("Game.dat", "TPF0"));
  TUnZipper zipper({sim.files, sim.dialogs});
  GameCatalogue table;

  for (int round = 0; round < 2; ++round) {
    Candidates c;
    EXPECT_EQ(LookUpCatalogue(zipper, table.table, kCatalogue, Ko("서든어택"), c),
              CatalogueComponentLookup::Outcome::kFound);
    EXPECT_EQ(c.F1, "E:\\NM");
    EXPECT_EQ(zipper.ZipName(), "");
    EXPECT_EQ(table.table.RecordCount(), 1u);
  }
  Candidates c;
  EXPECT_THROW(LookUpCatalogue(zipper, table.table, broken, Ko("서든어택"), c), CatalogueError);
  EXPECT_EQ(zipper.ZipName(), broken);
}

// The second edition's lookup reuses the table only when it names the same
// catalogue; another catalogue is read afresh.
TEST(CatalogueLookup, ReusesTheTableOfTheSameCatalogueOnly) {
  SimPlatform sim;
  const std::string other = "E:\\PLX\\GameData\\GPData.nif";
  sim.files.AddFile(kCatalogue, Catalogue({Edition(Ko("서든어택"), "E:\\NM", "", "", ""),
                                           Edition(Ko("넥슨서든어택"), "E:\\NX", "", "", "")}));
  sim.files.AddFile(other, Catalogue({Edition(Ko("서든어택"), "F:\\NM", "", "", "")}));
  CatalogueComponentLookup lookup({sim.files, sim.dialogs});
  Candidates a, b, c, d;
  EXPECT_EQ(lookup.LookUp(kCatalogue, Ko("서든어택"), a),
            CatalogueComponentLookup::Outcome::kFound);
  EXPECT_EQ(lookup.LookUp(kCatalogue, Ko("넥슨서든어택"), b),
            CatalogueComponentLookup::Outcome::kFound);
  EXPECT_EQ(lookup.LookUp(other, Ko("서든어택"), c), CatalogueComponentLookup::Outcome::kFound);
  EXPECT_EQ(lookup.LookUp(other, Ko("넥슨서든어택"), d),
            CatalogueComponentLookup::Outcome::kNoRecord);
  EXPECT_EQ(a.F1, "E:\\NM");
  EXPECT_EQ(b.F1, "E:\\NX");
  EXPECT_EQ(c.F1, "F:\\NM");
  EXPECT_EQ(d.F1, "");
}

// The catalogue of the café prepared under Wine for `varnett-admin locate`
// (scripts/test.d/locate.sh), kept as a file because that script has no
// writer of its own. VARNETT_WRITE_FIXTURES=1 writes it anew; every run checks
// that the file is still what this function writes.
std::string CafeCatalogue() {
  return Catalogue({
      Edition(Ko("카트라이더"), "D:\\Kart", "", "SOFTWARE\\Nexon\\Kart", ""),
      Edition(Ko("넥슨서든어택"), "D:\\Gone\\Nexon", "", "SOFTWARE\\Cafe\\NexonSA",
              "SOFTWARE\\Nexon\\SuddenAttack"),
      Edition(Ko("서든어택"), Ko("D:\\게임\\넷마블서든"), "C:\\Netmarble\\NetmarbleSuddenAttack",
              "SOFTWARE\\Netmarble\\NetmarbleSuddenAttack",
              "SOFTWARE\\Netmarble\\NetmarbleSuddenAttack"),
  });
}

TEST(CatalogueLookup, CafeFixtureHoldsBothEditions) {
  std::string path = VARNETT_SOURCE_DIR "/tests/fixtures/locator/cafe-catalogue.nif";
  if (const char* write = std::getenv("VARNETT_WRITE_FIXTURES"); write && *write == '1') {
    std::ofstream(path, std::ios::binary) << CafeCatalogue();
  }
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(path, &bytes)) << path;
  EXPECT_TRUE(bytes == CafeCatalogue())
      << path << " differs from CafeCatalogue(); VARNETT_WRITE_FIXTURES=1 writes it anew";

  SimPlatform sim;
  sim.files.AddFile(kCatalogue, bytes);
  CatalogueComponentLookup lookup({sim.files, sim.dialogs});
  Candidates nexon, netmarble;
  EXPECT_EQ(lookup.LookUp(kCatalogue, Ko("넥슨서든어택"), nexon),
            CatalogueComponentLookup::Outcome::kFound);
  EXPECT_EQ(lookup.LookUp(kCatalogue, Ko("서든어택"), netmarble),
            CatalogueComponentLookup::Outcome::kFound);
  EXPECT_EQ(nexon.K1, "SOFTWARE\\Cafe\\NexonSA");
  EXPECT_EQ(netmarble.F1, Ko("D:\\게임\\넷마블서든"));
}

}  // namespace
}  // namespace varnett
