#include "actions/drive_mapper.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"

namespace varnett {
namespace {

const std::string kSubst = "C:\\Windows\\System32\\subst.exe";

// A machine with C and D, and a "subst" that maps as Windows' does.
struct Machine {
  SimPlatform sim;
  VirtualDriveSet drives;
  std::vector<std::string> substs;

  DriveMapper NewMapper() {
    return DriveMapper({sim.processes, sim.drives, sim.text_case, sim.clock});
  }

  Machine() {
    sim.drives.Use('C', "\\Device\\HarddiskVolume1");
    sim.drives.Use('D', "\\Device\\HarddiskVolume2");
    sim.processes.program = [this](const std::string& command_line) { return Subst(command_line); };
  }

  // ""<system>\subst.exe" X: "folder"", kept as "subst X: "folder"": exit
  // code 1 when the letter is taken.
  uint32_t Subst(const std::string& command_line) {
    const std::string program = "\"" + kSubst + "\"";
    if (command_line.rfind(program, 0) != 0) return 2;
    substs.push_back("subst" + command_line.substr(program.size()));
    char letter = substs.back()[6];
    if (sim.drives.letters.count(letter)) return 1;
    std::string folder = substs.back().substr(10, substs.back().size() - 11);
    sim.drives.Use(letter, "\\??\\" + folder);
    return 0;
  }
};

TEST(FindFreeDriveLetter, HighestFreeLetterFromAFreshSnapshot) {
  Machine m;
  DriveMapper mapper = m.NewMapper();
  EXPECT_EQ(mapper.FindFreeDriveLetter(), "Z:");
  m.sim.drives.Use('Z', "x");
  m.sim.drives.Use('X', "x");
  EXPECT_EQ(mapper.FindFreeDriveLetter(), "Y:");
  m.sim.drives.UseAll();
  m.sim.drives.Free('B');
  m.sim.drives.Free('A');
  EXPECT_EQ(mapper.FindFreeDriveLetter(), "B:");
  m.sim.drives.Use('B', "x");
  EXPECT_EQ(mapper.FindFreeDriveLetter(), "A:");
  m.sim.drives.Use('A', "x");
  EXPECT_EQ(mapper.FindFreeDriveLetter(), "");
}

TEST(MapVirtualDrive, FirstMappingTakesZWithoutWaitSecondTakesYAndWaits) {
  Machine m;
  DriveMapper mapper = m.NewMapper();
  ASSERT_TRUE(mapper.MapVirtualDrive(m.drives, &VirtualDriveSet::NetmarbleDrive,
                                     "C:\\Netmarble\\Sudden Attack"));
  EXPECT_EQ(m.drives.NetmarbleDrive, "Z:");
  EXPECT_EQ(m.substs, (std::vector<std::string>{"subst Z: \"C:\\Netmarble\\Sudden Attack\""}));
  EXPECT_EQ(m.sim.processes.requests[0], "run [" + kSubst + "] \"" + kSubst +
                                             "\" Z: \"C:\\Netmarble\\Sudden Attack\" hidden wait");
  EXPECT_EQ(m.sim.clock.ticks, 0u);  // the only slot in use: no wait

  ASSERT_TRUE(mapper.MapVirtualDrive(m.drives, &VirtualDriveSet::ScreenshotDrive,
                                     "C:\\Docs\\Suddenattack\\screenshot"));
  EXPECT_EQ(m.drives.ScreenshotDrive, "Y:");
  EXPECT_EQ(m.substs.back(), "subst Y: \"C:\\Docs\\Suddenattack\\screenshot\"");
  EXPECT_EQ(m.sim.clock.ticks, 3003u);  // WaitSeconds(3) after subst ended
  EXPECT_TRUE(m.drives.NexonDrive.empty());
}

TEST(MapVirtualDrive, FilledSlotIsReusedWithoutCommandOrWait) {
  Machine m;
  DriveMapper mapper = m.NewMapper();
  m.drives.NexonDrive = "Q:";
  m.drives.ScreenshotDrive = "Z:";
  m.sim.drives.Use('Q', "\\??\\C:\\Nexon");
  m.sim.drives.Use('Z', "\\??\\C:\\Docs");
  EXPECT_TRUE(mapper.MapVirtualDrive(m.drives, &VirtualDriveSet::NexonDrive, "C:\\Nexon"));
  EXPECT_EQ(m.drives.NexonDrive, "Q:");
  EXPECT_TRUE(m.sim.processes.requests.empty());
  EXPECT_TRUE(m.sim.drives.queries.empty());
  EXPECT_EQ(m.sim.clock.ticks, 0u);

  // A slot holding only blanks counts as empty.
  m.drives.NetmarbleDrive = " \t";
  EXPECT_TRUE(mapper.MapVirtualDrive(m.drives, &VirtualDriveSet::NetmarbleDrive, "C:\\NM"));
  EXPECT_EQ(m.drives.NetmarbleDrive, "Y:");  // Z is in use on the machine
}

TEST(MapVirtualDrive, RequestsNestedInTheWaitSeeTheFilledSlot) {
  Machine m;
  DriveMapper mapper = m.NewMapper();
  m.drives.ScreenshotDrive = "Z:";
  m.sim.drives.Use('Z', "\\??\\C:\\Docs");
  bool nested_same = false, nested_other = false;
  m.sim.clock.pending_messages.push_back([&] {
    nested_same = mapper.MapVirtualDrive(m.drives, &VirtualDriveSet::NetmarbleDrive, "C:\\NM");
    nested_other = mapper.MapVirtualDrive(m.drives, &VirtualDriveSet::NexonDrive, "C:\\NX");
  });
  ASSERT_TRUE(mapper.MapVirtualDrive(m.drives, &VirtualDriveSet::NetmarbleDrive, "C:\\NM"));
  EXPECT_TRUE(nested_same);
  EXPECT_TRUE(nested_other);
  EXPECT_EQ(m.drives.NetmarbleDrive, "Y:");
  EXPECT_EQ(m.drives.NexonDrive, "X:");
  EXPECT_EQ(m.substs, (std::vector<std::string>{"subst Y: \"C:\\NM\"", "subst X: \"C:\\NX\""}));
}

// "subst" that starts but does not give a working drive is a failure: the
// slot is emptied again, and the next request tries again.
TEST(MapVirtualDrive, FailedSubstEmptiesTheSlotAndALaterRequestRetries) {
  struct Case {
    const char* what;
    std::function<void(Machine&)> break_it;
  };
  const Case cases[] = {
      {"cannot be started", [](Machine& m) { m.sim.processes.can_start = false; }},
      {"exits with an error",
       [](Machine& m) { m.sim.processes.program = [](const std::string&) { return 1u; }; }},
      {"exits 0 but maps nothing",
       [](Machine& m) { m.sim.processes.program = [](const std::string&) { return 0u; }; }},
  };
  for (const Case& c : cases) {
    Machine m;
    DriveMapper mapper = m.NewMapper();
    m.drives.ScreenshotDrive = "Z:";
    m.sim.drives.Use('Z', "\\??\\C:\\Docs");
    c.break_it(m);
    EXPECT_FALSE(mapper.MapVirtualDrive(m.drives, &VirtualDriveSet::NexonDrive, "C:\\NX"))
        << c.what;
    EXPECT_EQ(m.drives.NexonDrive, "") << c.what;
    EXPECT_EQ(m.sim.clock.ticks, 0u) << c.what;  // no wait after a failure

    // The same machine with a working "subst" again.
    m.sim.processes.can_start = true;
    m.sim.processes.program = [&m](const std::string& line) { return m.Subst(line); };
    EXPECT_TRUE(mapper.MapVirtualDrive(m.drives, &VirtualDriveSet::NexonDrive, "C:\\NX")) << c.what;
    EXPECT_EQ(m.drives.NexonDrive, "Y:") << c.what;
  }
}

TEST(MapVirtualDrive, LetterTakenMeanwhileIsAFailure) {
  Machine m;
  DriveMapper mapper = m.NewMapper();
  // Someone maps Z between the snapshot and the subst run.
  m.sim.processes.program = [&m](const std::string& line) {
    m.sim.drives.Use('Z', "\\??\\D:\\other");
    return m.Subst(line);
  };
  EXPECT_FALSE(mapper.MapVirtualDrive(m.drives, &VirtualDriveSet::ScreenshotDrive, "C:\\Docs"));
  EXPECT_EQ(m.drives.ScreenshotDrive, "");
}

// Nothing says it failed, and the drive works: it is kept (emptying the slot
// would leave a drive that nothing removes).
TEST(MapVirtualDrive, UnreadableExitCodeTrustsTheDriveItself) {
  Machine m;
  DriveMapper mapper = m.NewMapper();
  m.sim.processes.exit_code_readable = false;
  EXPECT_TRUE(mapper.MapVirtualDrive(m.drives, &VirtualDriveSet::NexonDrive, "C:\\NX"));
  EXPECT_EQ(m.drives.NexonDrive, "Z:");
}

// The system's own "subst" by its full path, never one found by name (the
// search looks beside the program first), and the folder quoted so that
// "subst" reads it back unchanged.
TEST(MapVirtualDrive, SystemSubstByFullPathWithTheFolderQuotedByTheRules) {
  struct Case {
    const char* folder;
    const char* argument;
  } cases[] = {
      {"C:\\Games\\SuddenAttack\\", "\"C:\\Games\\SuddenAttack\\\\\""},
      {"C:\\", "\"C:\\\\\""},
      {"C:\\Sudden Attack", "\"C:\\Sudden Attack\""},
  };
  for (const Case& c : cases) {
    Machine m;
    DriveMapper mapper = m.NewMapper();
    EXPECT_TRUE(mapper.MapVirtualDrive(m.drives, &VirtualDriveSet::NetmarbleDrive, c.folder));
    EXPECT_EQ(m.sim.processes.requests,
              std::vector<std::string>{"run [" + kSubst + "] \"" + kSubst + "\" Z: " + c.argument +
                                       " hidden wait"});
  }

  // No system folder: no "subst" is trusted, and nothing runs.
  Machine m;
  DriveMapper mapper = m.NewMapper();
  m.sim.processes.system_folder = "";
  EXPECT_FALSE(mapper.MapVirtualDrive(m.drives, &VirtualDriveSet::NetmarbleDrive, "C:\\NM"));
  EXPECT_EQ(m.drives.NetmarbleDrive, "");
  EXPECT_TRUE(m.sim.processes.requests.empty());
}

// "subst" would be given another folder's name, or none.
TEST(MapVirtualDrive, FolderNameTheConversionChangedRunsNothing) {
  for (const char* folder : {"C:\\Games\\caf?", "C:\\Games\\x\xB0"}) {
    Machine m;
    DriveMapper mapper = m.NewMapper();
    EXPECT_FALSE(mapper.MapVirtualDrive(m.drives, &VirtualDriveSet::NetmarbleDrive, folder));
    EXPECT_EQ(m.drives.NetmarbleDrive, "");
    EXPECT_TRUE(m.sim.processes.requests.empty());
  }
}

TEST(MapVirtualDrive, NoFreeLetterRunsNothingAndLeavesTheSlotEmpty) {
  Machine m;
  DriveMapper mapper = m.NewMapper();
  m.sim.drives.UseAll();
  m.drives.ScreenshotDrive = "Z:";
  EXPECT_FALSE(mapper.MapVirtualDrive(m.drives, &VirtualDriveSet::NetmarbleDrive, "C:\\NM"));
  EXPECT_EQ(m.drives.NetmarbleDrive, "");
  EXPECT_TRUE(m.sim.processes.requests.empty());
  EXPECT_EQ(m.sim.clock.ticks, 0u);
}

}  // namespace
}  // namespace varnett
