// Registry values as the locator reads them: current user before local
// machine, blank values skipped, folder values normalised and tested.
#include "locator/registry_values.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"
#include "tests/locator/locator_records.h"
#include "tests/support/error_message.h"
#include "text/conversions.h"

namespace varnett {
namespace {

constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;
constexpr RegistryRoot kMachine = RegistryRoot::kLocalMachine;
const std::string kKey = "SOFTWARE\\Nexon\\SuddenAttack";

TEST(ReadValue, EachRootAloneAndMissingReadsEmpty) {
  SimPlatform sim;
  sim.registry.SetText(kUser, kKey, "RootPath", "user");
  sim.registry.SetText(kMachine, kKey, "RootPath", "machine");
  EXPECT_EQ(ReadUserValue(sim.registry, kKey, "RootPath"), "user");
  EXPECT_EQ(ReadMachineValue(sim.registry, kKey, "RootPath"), "machine");
  EXPECT_EQ(ReadUserValue(sim.registry, kKey, "Other"), "");
  EXPECT_EQ(ReadMachineValue(sim.registry, "SOFTWARE\\Missing", "RootPath"), "");
  EXPECT_EQ(
      sim.registry.reads,
      (std::vector<std::string>{"HKCU\\" + kKey + "\\RootPath", "HKLM\\" + kKey + "\\RootPath",
                                "HKCU\\" + kKey + "\\Other", "HKLM\\SOFTWARE\\Missing\\RootPath"}));
}

TEST(ReadValue, NonTextValueRaisesWithItsName) {
  SimPlatform sim;
  sim.registry.SetOtherType(kMachine, kKey, "RootPath");
  EXPECT_EQ(
      ErrorMessage<RegistryTypeError>([&] { ReadMachineValue(sim.registry, kKey, "RootPath"); }),
      "Invalid data type for 'RootPath'");
  EXPECT_EQ(ReadUserValue(sim.registry, kKey, "RootPath"), "");  // other root: missing
}

struct FolderCase {
  const char* name;
  const char* user;     // nullptr: value missing
  const char* machine;  // nullptr: value missing
  const char* expected;
  int reads;  // 1: the current user's answer was enough
};

TEST(ReadFolderValue, CurrentUserFirstThenLocalMachine) {
  const FolderCase cases[] = {
      {"user folder wins", "C:\\User\\SA", "C:\\Machine\\SA", "C:\\User\\SA", 1},
      {"user folder missing on disk", "C:\\Gone", "C:\\Machine\\SA", "C:\\Machine\\SA", 2},
      {"user value missing", nullptr, "C:\\Machine\\SA\\", "C:\\Machine\\SA", 2},
      {"user value blank", " \t", "C:\\Machine\\SA\\sa.exe", "C:\\Machine\\SA", 2},
      {"both blank", "", "  ", "", 2},
      {"machine folder missing on disk", nullptr, "C:\\Gone", "", 2},
      {"bare file name", "sa.exe", nullptr, "", 2},
      {"dotted folder name", "C:\\User\\SA.v2", nullptr, "C:\\User\\SA.v2", 1},
      {"program in a dotted folder", "C:\\User\\SA.v2\\sa.exe", nullptr, "C:\\User\\SA.v2", 1},
      {"used untrimmed", " C:\\User\\SA", nullptr, "", 2},
      {"nothing anywhere", nullptr, nullptr, "", 2},
      // Relative values would be looked for in the current folder, which
      // holds folders of these names.
      {"bare name with a dot", "game.exe", nullptr, "", 2},
      {"bare name", "SuddenAttack", nullptr, "", 2},
      {"relative folder", "Games\\SA", nullptr, "", 2},
      {"relative, machine absolute", "game.exe", "C:\\Machine\\SA", "C:\\Machine\\SA", 2},
  };
  for (const FolderCase& c : cases) {
    SCOPED_TRACE(c.name);
    SimPlatform sim;
    sim.files.AddDirectory("C:\\User\\SA");
    sim.files.AddDirectory("C:\\Machine\\SA");
    sim.files.AddDirectory("C:\\User\\SA.v2");
    for (const char* relative : {"game.exe", "SuddenAttack", "Games\\SA"})
      sim.files.AddDirectory(relative);
    if (c.user) sim.registry.SetText(kUser, kKey, "RootPath", c.user);
    if (c.machine) sim.registry.SetText(kMachine, kKey, "RootPath", c.machine);
    EXPECT_EQ(ReadFolderValue(sim.registry, sim.files, kKey, "RootPath").Folder(), c.expected);
    ASSERT_EQ(sim.registry.reads.size(), static_cast<size_t>(c.reads));
    EXPECT_EQ(sim.registry.reads[0], "HKCU\\" + kKey + "\\RootPath");
  }
}

TEST(ReadFolderValue, TellsHowEachRootAnswered) {
  using Kind = RootAnswer::Kind;
  struct Case {
    const char* name;
    const char* user;     // nullptr: value missing
    const char* machine;  // nullptr: value missing
    RootAnswer user_answer, machine_answer;
  } cases[] = {
      {"user found, machine not asked",
       "C:\\User\\SA\\",
       "C:\\Machine\\SA",
       AnswerOf(Kind::kFound, "C:\\User\\SA\\", "C:\\User\\SA"),
       {}},
      {"program named in both", "C:\\Gone\\", "C:\\Machine\\SA\\sa.exe",
       AnswerOf(Kind::kNotAFolder, "C:\\Gone\\", "C:\\Gone"),
       AnswerOf(Kind::kFound, "C:\\Machine\\SA\\sa.exe", "C:\\Machine\\SA")},
      {"missing and blank", nullptr, " \t", Missing(), AnswerOf(Kind::kBlank, " \t")},
      {"relative, then a dotted folder", "game.exe", "C:\\User\\SA.v2",
       AnswerOf(Kind::kRelative, "game.exe"),
       AnswerOf(Kind::kFound, "C:\\User\\SA.v2", "C:\\User\\SA.v2")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimPlatform sim;
    sim.files.AddDirectory("C:\\User\\SA");
    sim.files.AddDirectory("C:\\User\\SA.v2");
    sim.files.AddDirectory("C:\\Machine\\SA");
    if (c.user) sim.registry.SetText(kUser, kKey, "RootPath", c.user);
    if (c.machine) sim.registry.SetText(kMachine, kKey, "RootPath", c.machine);
    FolderValueAnswers answers = ReadFolderValue(sim.registry, sim.files, kKey, "RootPath");
    EXPECT_EQ(answers.user, c.user_answer);
    EXPECT_EQ(answers.machine, c.machine_answer);
  }
}

// The wrong type is told, not raised: the locator raises it after noting
// how the roots answered.
TEST(ReadFolderValue, NonTextValueInEitherRootEndsTheReading) {
  using Kind = RootAnswer::Kind;
  {
    SimPlatform sim;
    sim.files.AddDirectory("C:\\Machine\\SA");
    sim.registry.SetOtherType(kUser, kKey, "Executable");
    sim.registry.SetText(kMachine, kKey, "Executable", "C:\\Machine\\SA\\sa.exe");
    FolderValueAnswers answers = ReadFolderValue(sim.registry, sim.files, kKey, "Executable");
    EXPECT_TRUE(answers.OtherType());
    EXPECT_EQ(answers.user, AnswerOf(Kind::kOtherType));
    EXPECT_EQ(answers.machine, AnswerOf(Kind::kNotAsked));
    EXPECT_EQ(sim.registry.reads.size(), 1u);
  }
  {
    SimPlatform sim;
    sim.registry.SetOtherType(kMachine, kKey, "Executable");
    FolderValueAnswers answers = ReadFolderValue(sim.registry, sim.files, kKey, "Executable");
    EXPECT_TRUE(answers.OtherType());
    EXPECT_EQ(answers.user, Missing());
    EXPECT_EQ(answers.machine, AnswerOf(Kind::kOtherType));
  }
  // A user folder that is found ends the read before the machine's value.
  SimPlatform sim;
  sim.files.AddDirectory("C:\\User\\SA");
  sim.registry.SetText(kUser, kKey, "RootPath", "C:\\User\\SA");
  sim.registry.SetOtherType(kMachine, kKey, "RootPath");
  FolderValueAnswers answers = ReadFolderValue(sim.registry, sim.files, kKey, "RootPath");
  EXPECT_EQ(answers.Folder(), "C:\\User\\SA");
  EXPECT_FALSE(answers.OtherType());
}

// The folder normalisation, with its double-byte aware extension test and its
// byte-wise trailing "\" test. 0x81 0x5C is a lead byte whose second byte has
// the value of "\": the extension scan must step over it as one character.
const std::string kLead5C = "\x81\x5C";

TEST(NormaliseFolderValue, FileBecomesItsFolderAndOneTrailingBackslashGoes) {
  struct Case {
    std::string value, expected;
  } cases[] = {
      {"C:\\Nexon\\SuddenAttack\\", "C:\\Nexon\\SuddenAttack"},
      {"C:\\Nexon\\SuddenAttack\\\\", "C:\\Nexon\\SuddenAttack\\"},  // only one goes
      {"C:\\Nexon\\SuddenAttack", "C:\\Nexon\\SuddenAttack"},
      {"C:\\Nexon\\SuddenAttack\\sa.exe", "C:\\Nexon\\SuddenAttack"},
      {"sa.exe", ""},  // a bare file name has no folder
      {"C:\\Games\\SA.v2\\", "C:\\Games\\SA.v2"},
      {"C:\\Games\\SA.v2", "C:\\Games"},   // a dotted name reads as a file
      {"C:\\Games\\SA.", "C:\\Games"},     // a lone "." counts as an extension
      {" C:\\Games\\ ", " C:\\Games\\ "},  // used untrimmed
      {"C:\\", "C:"},
      {"\\", ""},
      {Ko("D:\\게임\\넥슨서든어택\\sa.exe"), Ko("D:\\게임\\넥슨서든어택")},
      // The extension test skips the second byte of a character...
      {"C:\\Game.d" + kLead5C + "x", "C:"},
      // ...but the trailing-byte test does not look at characters.
      {"C:\\Games\\" + kLead5C, "C:\\Games\\\x81"},
  };
  for (const Case& c : cases) EXPECT_EQ(NormaliseFolderValue(c.value), c.expected) << c.value;
}

}  // namespace
}  // namespace varnett
