// The two edition searches: which candidates they set up and the order in
// which they try them. The trace records every source tried, so the order is
// asserted on its records and on the registry's own record of reads.
#include <gtest/gtest.h>

#include "locator/registry_values.h"
#include "tests/locator/locator_fixture.h"
#include "tests/support/error_message.h"

namespace varnett {
namespace {

constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;
constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;

TEST(EditionSearch, WithNothingInstalledEveryStepRunsInOrder) {
  LocatorMachine m;
  m.Run();
  EXPECT_EQ(m.paths.NetmarbleFolder, "");
  EXPECT_EQ(m.paths.NexonFolder, "");
  const FolderValueAnswers none = Answers(Missing(), Missing());
  EXPECT_EQ(m.trace,
            (std::vector<LocatorStep>{
                DocumentsStep("C:\\Users\\guest\\Documents"),
                HideFolderStep(kDefault, "D:\\PLX"),
                CatalogueStep(kNetmarble, kDefault),
                CandidateStep(kNetmarble, 1, kFolder, "F1", "D:\\Netmarble\\NetmarbleSuddenAttack",
                              kNotFound),
                CandidateStep(kNetmarble, 2, kFolder, "F2", "C:\\Netmarble\\NetmarbleSuddenAttack",
                              kNotFound),
                ValueStep(kNetmarble, 3, kRegistry, "K1", kNetmarbleKey, "DestDir", none),
                ValueStep(kNetmarble, 4, kRegistry, "K2", kNetmarbleKey, "DestDir", none),
                CatalogueStep(kNexon, kDefault),
                ValueStep(kNexon, 1, kRegistry, "K1", kNexonKey, "RootPath", none),
                ValueStep(kNexon, 2, kRegistry, "K2", kNexonKey, "RootPath", none),
                ValueStep(kNexon, 3, kRegistry, "K3", kNexonKey, "RootPath", none),
                ValueStep(kNexon, 4, kRegistry, "K4", kNexonKey, "RootPath", none),
                ValueStep(kNexon, 5, kExecutable, "K1", kNexonKey, "Executable", none),
                ValueStep(kNexon, 6, kExecutable, "K2", kNexonKey, "Executable", none),
                ValueStep(kNexon, 7, kExecutable, "K3", kNexonKey, "Executable", none),
                ValueStep(kNexon, 8, kExecutable, "K4", kNexonKey, "Executable", none),
                CandidateStep(kNexon, 9, kFolder, "F1", "D:\\Program Files\\Nexon\\SuddenAttack",
                              kNotFound),
                CandidateStep(kNexon, 10, kFolder, "F2", "C:\\Program Files\\Nexon\\SuddenAttack",
                              kNotFound),
                CandidateStep(kNexon, 11, kFolder, "F3", "C:\\Nexon\\SuddenAttack", kNotFound),
                CandidateStep(kNexon, 12, kFolder, "F4", "D:\\Nexon\\SuddenAttack", kNotFound),
            }));
  // Every registry step asks the current user first, then the local machine.
  std::vector<std::string> expected = {"HKLM\\SOFTWARE\\Trovek\\Config\\HideFolder"};
  for (const char* value : {"DestDir", "DestDir"}) {
    expected.push_back("HKCU\\" + kNetmarbleKey + "\\" + value);
    expected.push_back("HKLM\\" + kNetmarbleKey + "\\" + value);
  }
  for (const char* value : {"RootPath", "RootPath", "RootPath", "RootPath", "Executable",
                            "Executable", "Executable", "Executable"}) {
    expected.push_back("HKCU\\" + kNexonKey + "\\" + value);
    expected.push_back("HKLM\\" + kNexonKey + "\\" + value);
  }
  EXPECT_EQ(m.sim.registry.reads, expected);
  EXPECT_TRUE(m.sim.dialogs.shown.empty());
}

// One row per installation: where the game is and what the registry says.
struct Installation {
  const char* name;
  std::vector<std::string> folders;
  // {root, key, value name, text}
  std::vector<std::tuple<RegistryRoot, std::string, std::string, std::string>> values;
  const char* netmarble;
  const char* nexon;
};

TEST(EditionSearch, WithoutCatalogueDefaultsFoldersAndRegistryInStepOrder) {
  const Installation cases[] = {
      {"netmarble on drive C only",
       {"C:\\Netmarble\\NetmarbleSuddenAttack"},
       {},
       "C:\\Netmarble\\NetmarbleSuddenAttack",
       ""},
      {"netmarble folders before its registry",
       {"D:\\Netmarble\\NetmarbleSuddenAttack", "E:\\NM"},
       {{kMachine, kNetmarbleKey, "DestDir", "E:\\NM"}},
       "D:\\Netmarble\\NetmarbleSuddenAttack",
       ""},
      {"netmarble from the machine's DestDir",
       {"E:\\NM"},
       {{kMachine, kNetmarbleKey, "DestDir", "E:\\NM\\"}},
       "E:\\NM",
       ""},
      {"nexon registry before folders",
       {"C:\\Nexon\\SuddenAttack", "E:\\SA"},
       {{kUser, kNexonKey, "RootPath", "E:\\SA"}},
       "",
       "E:\\SA"},
      {"nexon user RootPath gone, machine RootPath there",
       {"E:\\SA", "F:\\SA"},
       {{kUser, kNexonKey, "RootPath", "F:\\Gone"}, {kMachine, kNexonKey, "RootPath", "E:\\SA"}},
       "",
       "E:\\SA"},
      {"nexon RootPath before Executable",
       {"E:\\SA", "F:\\SA"},
       {{kMachine, kNexonKey, "Executable", "F:\\SA\\sa.exe"},
        {kMachine, kNexonKey, "RootPath", "E:\\SA"}},
       "",
       "E:\\SA"},
      {"nexon Executable before folders",
       {"F:\\SA", "D:\\Program Files\\Nexon\\SuddenAttack"},
       {{kMachine, kNexonKey, "Executable", "F:\\SA\\sa.exe"}},
       "",
       "F:\\SA"},
      {"nexon folder order",
       {"C:\\Nexon\\SuddenAttack", "D:\\Nexon\\SuddenAttack"},
       {},
       "",
       "C:\\Nexon\\SuddenAttack"},
      {"nexon last default", {"D:\\Nexon\\SuddenAttack"}, {}, "", "D:\\Nexon\\SuddenAttack"},
  };
  for (const Installation& c : cases) {
    SCOPED_TRACE(c.name);
    LocatorMachine m;
    for (const std::string& folder : c.folders) m.sim.files.AddDirectory(folder);
    for (const auto& [root, key, name, text] : c.values)
      m.sim.registry.SetText(root, key, name, text);
    m.Run();
    EXPECT_EQ(m.paths.NetmarbleFolder, c.netmarble);
    EXPECT_EQ(m.paths.NexonFolder, c.nexon);
  }
}

TEST(EditionSearch, StopsAtTheFirstStepThatFindsTheFolder) {
  LocatorMachine m;
  m.sim.files.AddDirectory("E:\\SA");
  m.sim.registry.SetText(kUser, kNexonKey, "RootPath", "E:\\SA\\");
  m.Run();
  EXPECT_EQ(m.paths.NexonFolder, "E:\\SA");
  EXPECT_EQ(m.trace.back(),
            ValueStep(kNexon, 1, kRegistry, "K1", kNexonKey, "RootPath",
                      Answers(AnswerOf(RootAnswer::Kind::kFound, "E:\\SA\\", "E:\\SA"))));
  EXPECT_EQ(m.sim.registry.reads.back(), "HKCU\\" + kNexonKey + "\\RootPath");
}

// The game keeps its settings file "gvi.dat" beside its program, so the
// folder taken from "Executable" is the one holding the program: the reset
// command then finds the file, and opening the game folder shows the game.
TEST(EditionSearch, ExecutableGivesTheFolderHoldingTheGameAndItsSettings) {
  LocatorMachine m;
  m.sim.files.AddFile("E:\\Games\\SuddenAttack\\SuddenAttack.exe", "");
  m.sim.files.AddFile("E:\\Games\\SuddenAttack\\gvi.dat", "");
  m.sim.registry.SetText(kMachine, kNexonKey, "Executable",
                         "E:\\Games\\SuddenAttack\\SuddenAttack.exe");
  m.Run();
  ASSERT_EQ(m.paths.NexonFolder, "E:\\Games\\SuddenAttack");
  EXPECT_TRUE(m.sim.files.FileExists(m.paths.NexonFolder + "\\gvi.dat"));
}

TEST(EditionSearch, ExecutableNamingAMissingProgramFolderFindsNothing) {
  LocatorMachine m;
  m.sim.files.AddDirectory("E:\\Games");  // the parent exists, the game's folder not
  m.sim.registry.SetText(kMachine, kNexonKey, "Executable",
                         "E:\\Games\\SuddenAttack\\SuddenAttack.exe");
  m.Run();
  EXPECT_EQ(m.paths.NexonFolder, "");
}

TEST(EditionSearch, BlankCandidatesAreSkippedAndOthersUsedUntrimmed) {
  LocatorMachine m;
  m.AddCatalogueFile(
      Catalogue({Edition(LocatorMachine::NetmarbleKey(), " \t", " E:\\NM", "", "")}));
  m.sim.files.AddDirectory("E:\\NM");
  m.Run();
  EXPECT_EQ(m.paths.NetmarbleFolder, "");
  EXPECT_EQ(std::vector<LocatorStep>(m.trace.begin() + 4, m.trace.begin() + 8),
            (std::vector<LocatorStep>{
                CandidateStep(kNetmarble, 1, kFolder, "F1", " \t", kSkipped),
                CandidateStep(kNetmarble, 2, kFolder, "F2", " E:\\NM", kNotFound),
                CandidateStep(kNetmarble, 3, kRegistry, "K1", "", kSkipped, "DestDir"),
                CandidateStep(kNetmarble, 4, kRegistry, "K2", "", kSkipped, "DestDir"),
            }));
}

TEST(EditionSearch, NonTextRegistryValueEscapesTheLocator) {
  LocatorMachine m;
  m.sim.files.AddDirectory("C:\\Nexon\\SuddenAttack");
  m.sim.registry.SetOtherType(kMachine, kNexonKey, "Executable");
  EXPECT_EQ(ErrorMessage<RegistryTypeError>([&] { m.Run(); }),
            "Invalid data type for 'Executable'");
  EXPECT_EQ(m.trace.back(), ValueStep(kNexon, 5, kExecutable, "K1", kNexonKey, "Executable",
                                      Answers(Missing(), AnswerOf(RootAnswer::Kind::kOtherType))));
  EXPECT_EQ(m.paths.NexonFolder, "");  // the folder on drive C was never reached
}

TEST(InstallLocator, HideFolderFromTheMachineValueUsedAsRead) {
  struct Case {
    const char* name;
    const char* value;  // nullptr: missing
    const char* hide_folder;
    LocatorStep::Outcome outcome;
  } cases[] = {
      {"missing", nullptr, "D:\\PLX", kDefault},
      {"blank", " \r\n", "D:\\PLX", kDefault},
      {"set, not even existing", "E:\\Hidden\\", "E:\\Hidden\\", kFound},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LocatorMachine m;
    if (c.value)
      m.sim.registry.SetText(kMachine, "SOFTWARE\\Trovek\\Config", "HideFolder", c.value);
    m.sim.registry.SetText(kUser, "SOFTWARE\\Trovek\\Config", "HideFolder", "F:\\User");
    m.AddCatalogueFile(Catalogue({}), c.hide_folder);
    m.Run();
    EXPECT_EQ(m.paths.HideFolder, c.hide_folder);
    EXPECT_EQ(m.trace[1], HideFolderStep(c.outcome, c.hide_folder));
    // The catalogue under that folder was found and read for both editions.
    const std::string catalogue = std::string(c.hide_folder) + "\\GameData\\GPData.nif";
    EXPECT_EQ(m.trace[2], CatalogueStep(kNetmarble, kFound, catalogue));
    EXPECT_EQ(m.trace[3], RecordStep(kNetmarble, kNotFound, LocatorMachine::NetmarbleKey()));
  }
}

TEST(InstallLocator, DocumentsFolderAsThePlatformReportsIt) {
  LocatorMachine m;
  m.sim.environment.documents_folder = "";
  m.Run();
  EXPECT_EQ(m.paths.DocumentsFolder, "");
  EXPECT_EQ(m.trace.front(), DocumentsStep(""));
}

TEST(InstallLocator, HideFolderOfTheWrongTypeStopsTheRun) {
  LocatorMachine m;
  m.sim.registry.SetOtherType(kMachine, "SOFTWARE\\Trovek\\Config", "HideFolder");
  EXPECT_THROW(m.Run(), RegistryTypeError);
  EXPECT_EQ(m.paths.DocumentsFolder, "C:\\Users\\guest\\Documents");
  EXPECT_EQ(m.paths.HideFolder, "");
}

}  // namespace
}  // namespace varnett
