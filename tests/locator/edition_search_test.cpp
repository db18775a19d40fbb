// The two edition searches: which candidates they set up and the order in
// which they try them. The trace names every source tried, so the order is
// asserted on it and on the registry's own record of reads.
#include <gtest/gtest.h>

#include "locator/registry_values.h"
#include "tests/locator/locator_fixture.h"
#include "tests/support/error_message.h"

namespace varnett {
namespace {

constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;
constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;
const std::string kNetmarbleKey = "SOFTWARE\\Netmarble\\NetmarbleSuddenAttack";
const std::string kNexonKey = "SOFTWARE\\Nexon\\SuddenAttack";

TEST(EditionSearch, WithNothingInstalledEveryStepRunsInOrder) {
  LocatorMachine m;
  m.Run();
  EXPECT_EQ(m.paths.NetmarbleFolder, "");
  EXPECT_EQ(m.paths.NexonFolder, "");
  const std::string nm = "\"" + kNetmarbleKey + "\"";
  const std::string nx = "\"" + kNexonKey + "\"";
  const std::string none = ": HKCU missing; HKLM missing";
  EXPECT_EQ(m.trace.lines,
            (std::vector<std::string>{
                "documents folder: \"C:\\Users\\guest\\Documents\"",
                "hide folder registry HKLM \"SOFTWARE\\Trovek\\Config\" value \"HideFolder\": "
                "missing or blank, default \"D:\\PLX\"",
                "netmarble catalogue \"D:\\PLX\\GameData\\GPData.nif\": absent, defaults used",
                "netmarble step 1 folder F1 \"D:\\Netmarble\\NetmarbleSuddenAttack\": not a folder",
                "netmarble step 2 folder F2 \"C:\\Netmarble\\NetmarbleSuddenAttack\": not a folder",
                "netmarble step 3 registry K1 " + nm + " value \"DestDir\"" + none,
                "netmarble step 4 registry K2 " + nm + " value \"DestDir\"" + none,
                "nexon catalogue \"D:\\PLX\\GameData\\GPData.nif\": absent, defaults used",
                "nexon step 1 registry K1 " + nx + " value \"RootPath\"" + none,
                "nexon step 2 registry K2 " + nx + " value \"RootPath\"" + none,
                "nexon step 3 registry K3 " + nx + " value \"RootPath\"" + none,
                "nexon step 4 registry K4 " + nx + " value \"RootPath\"" + none,
                "nexon step 5 executable K1 " + nx + " value \"Executable\"" + none,
                "nexon step 6 executable K2 " + nx + " value \"Executable\"" + none,
                "nexon step 7 executable K3 " + nx + " value \"Executable\"" + none,
                "nexon step 8 executable K4 " + nx + " value \"Executable\"" + none,
                "nexon step 9 folder F1 \"D:\\Program Files\\Nexon\\SuddenAttack\": not a folder",
                "nexon step 10 folder F2 \"C:\\Program Files\\Nexon\\SuddenAttack\": not a folder",
                "nexon step 11 folder F3 \"C:\\Nexon\\SuddenAttack\": not a folder",
                "nexon step 12 folder F4 \"D:\\Nexon\\SuddenAttack\": not a folder",
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
  EXPECT_TRUE(m.catalogue.calls.empty());
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
  EXPECT_EQ(m.trace.lines.back(),
            "nexon step 1 registry K1 \"" + kNexonKey +
                "\" value \"RootPath\": HKCU \"E:\\SA\\\" -> \"E:\\SA\": found");
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
  m.AddCatalogueFile();
  m.sim.files.AddDirectory("E:\\NM");
  m.catalogue.records[LocatorMachine::NetmarbleKey()] = {" \t", " E:\\NM", "", ""};
  m.Run();
  EXPECT_EQ(m.paths.NetmarbleFolder, "");
  EXPECT_EQ(std::vector<std::string>(m.trace.lines.begin() + 4, m.trace.lines.begin() + 8),
            (std::vector<std::string>{
                "netmarble step 1 folder F1: blank, skipped",
                "netmarble step 2 folder F2 \" E:\\NM\": not a folder",
                "netmarble step 3 registry K1: blank, skipped",
                "netmarble step 4 registry K2: blank, skipped",
            }));
}

TEST(EditionSearch, NonTextRegistryValueEscapesTheLocator) {
  LocatorMachine m;
  m.sim.files.AddDirectory("C:\\Nexon\\SuddenAttack");
  m.sim.registry.SetOtherType(kMachine, kNexonKey, "Executable");
  EXPECT_EQ(ErrorMessage<RegistryTypeError>([&] { m.Run(); }),
            "Invalid data type for 'Executable'");
  EXPECT_EQ(m.trace.lines.back(), "nexon step 5 executable K1 \"" + kNexonKey +
                                      "\" value \"Executable\": HKCU missing; "
                                      "Invalid data type for 'Executable'");
  EXPECT_EQ(m.paths.NexonFolder, "");  // the folder on drive C was never reached
}

TEST(InstallLocator, HideFolderFromTheMachineValueUsedAsRead) {
  struct Case {
    const char* name;
    const char* value;  // nullptr: missing
    const char* hide_folder;
  } cases[] = {
      {"missing", nullptr, "D:\\PLX"},
      {"blank", " \r\n", "D:\\PLX"},
      {"set, not even existing", "E:\\Hidden\\", "E:\\Hidden\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LocatorMachine m;
    if (c.value)
      m.sim.registry.SetText(kMachine, "SOFTWARE\\Trovek\\Config", "HideFolder", c.value);
    m.sim.registry.SetText(kUser, "SOFTWARE\\Trovek\\Config", "HideFolder", "F:\\User");
    m.AddCatalogueFile(c.hide_folder);
    m.Run();
    EXPECT_EQ(m.paths.HideFolder, c.hide_folder);
    ASSERT_EQ(m.catalogue.calls.size(), 2u);
    EXPECT_EQ(m.catalogue.calls[0], std::string(c.hide_folder) + "\\GameData\\GPData.nif|" +
                                        LocatorMachine::NetmarbleKey());
  }
}

TEST(InstallLocator, DocumentsFolderAsThePlatformReportsIt) {
  LocatorMachine m;
  m.sim.environment.documents_folder = "";
  m.Run();
  EXPECT_EQ(m.paths.DocumentsFolder, "");
  EXPECT_EQ(m.trace.lines.front(), "documents folder: none");
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
