#include "actions/folder_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "text/conversions.h"

namespace varnett {
namespace {

const char kDocs[] = "C:\\Users\\guest\\Documents";
const char kShots[] = "C:\\Users\\guest\\Documents\\Suddenattack\\screenshot";
const char kNetmarble[] = "D:\\PLX\\Netmarble\\SuddenAttack";
const char kNexon[] = "D:\\PLX\\Nexon\\SuddenAttack";
const char kSubst[] = "C:\\Windows\\System32\\subst.exe";
constexpr WindowHandle kMainWindow = 0x77;

// The journal's line for the system's "subst" mapping `folder` to `letter`.
std::string SubstRun(const std::string& letter, const std::string& folder) {
  return std::string("run [") + kSubst + "] \"" + kSubst + "\" " + letter + " \"" + folder +
         "\" hidden";
}
constexpr WindowHandle kApplicationWindow = 0x52;

// One journal, in call order, of everything the user would see or the system
// would be asked to do; texts in UTF-8 so expectations read as written.
struct Journal {
  std::vector<std::string> lines;
  void Add(const std::string& line) { lines.push_back(Cp949ToUtf8(line)); }
};

struct JournalWaits : SimWaitWindows {
  Journal& journal;
  explicit JournalWaits(Journal& j) : journal(j) {}
  Handle Open(const std::string& text) override {
    Handle h = SimWaitWindows::Open(text);
    journal.Add("wait " + std::to_string(h) + " " + text);
    return h;
  }
  void Close(Handle h) override {
    journal.Add("close " + std::to_string(h));
    SimWaitWindows::Close(h);
  }
};

struct JournalDialogs : SimDialogs {
  Journal& journal;
  explicit JournalDialogs(Journal& j) : journal(j) {}
  void Information(const std::string& text) override {
    journal.Add("info " + text);
    SimDialogs::Information(text);
  }
  bool Confirm(const std::string& text) override {
    journal.Add("confirm " + text);
    return SimDialogs::Confirm(text);
  }
};

struct JournalProcesses : SimProcesses {
  Journal& journal;
  explicit JournalProcesses(Journal& j) : journal(j) {}
  RunOutcome Run(const std::string& program, const std::string& line, StartWindow window,
                 WaitMode wait) override {
    journal.Add("run " + (program.empty() ? "" : "[" + program + "] ") + line +
                (window == StartWindow::kHidden ? " hidden" : ""));
    return SimProcesses::Run(program, line, window, wait);
  }
  OpenResult ShellOpen(WindowHandle owner, const std::string& verb, const std::string& file,
                       const std::string& parameters) override {
    const char* name = owner == kMainWindow          ? "main "
                       : owner == kApplicationWindow ? "app "
                                                     : "?? ";
    journal.Add("shell " + std::string(name) + verb + " [" + file + "] [" + parameters + "]");
    return SimProcesses::ShellOpen(owner, verb, file, parameters);
  }
  OpenResult Execute(const std::string& line) override {
    journal.Add("execute [" + line + "]");
    return SimProcesses::Execute(line);
  }
  bool ShellDelete(const std::string& path, ShellDeleteOptions options) override {
    journal.Add("shell delete [" + path + "]" + (options.to_recycle_bin ? " recycle" : ""));
    return SimProcesses::ShellDelete(path, options);
  }
};

struct JournalFiles : SimFileSystem {
  Journal& journal;
  explicit JournalFiles(Journal& j) : journal(j) {}
  bool RemoveFile(const std::string& path) override {
    journal.Add("delete " + path);
    return SimFileSystem::RemoveFile(path);
  }
};

// A café machine with drives C and D, both editions installed, the screenshot
// folder with two pictures, and a "subst" that maps as Windows' does.
struct Cafe {
  Journal journal;
  SimPlatform sim;
  JournalFiles files{journal};
  JournalDialogs dialogs{journal};
  JournalProcesses processes{journal};
  JournalWaits waits{journal};
  EditionPaths paths{kDocs, "D:\\PLX", kNetmarble, kNexon};
  VirtualDriveSet drives;
  FolderCommands commands{
      {files, dialogs, waits, processes, sim.drives, sim.text_case, sim.clock}, paths, drives};

  Cafe() {
    sim.drives.Use('C', "\\Device\\HarddiskVolume1");
    sim.drives.Use('D', "\\Device\\HarddiskVolume2");
    files.AddFile(std::string(kShots) + "\\sa001.jpg", "jpg");
    files.AddFile(std::string(kShots) + "\\sa002.jpg", "jpg");
    files.AddFile(std::string(kNetmarble) + "\\gvi.dat", "settings");
    files.AddFile(std::string(kNexon) + "\\gvi.dat", "settings");
    processes.program = [this](const std::string& line) { return Subst(line); };
  }

  // ""<system>\subst.exe" X: "folder"": 1 when the letter is taken or the
  // folder is missing.
  uint32_t Subst(const std::string& line) {
    const std::string program = std::string("\"") + kSubst + "\" ";
    if (line.rfind(program, 0) != 0) return 1;
    char letter = line[program.size()];
    std::string folder = line.substr(program.size() + 4, line.size() - program.size() - 5);
    if (sim.drives.letters.count(letter) || !files.DirectoryExists(folder)) return 1;
    sim.drives.Use(letter, "\\??\\" + folder);
    return 0;
  }
  std::vector<std::string> Take() {
    std::vector<std::string> lines = std::move(journal.lines);
    journal.lines.clear();
    return lines;
  }
};

using Lines = std::vector<std::string>;

const char kOpeningGame[] = "서든 폴더를 열고 있습니다.\r\n잠시만 기다려 주십시오.";
const char kOpeningShots[] = "스크린샷 폴더를 열고 있습니다.\r\n잠시만 기다려 주십시오.";

struct Edition {
  const char* name;
  GameEdition edition;
  const char* folder;
  std::string VirtualDriveSet::*slot;
};
const Edition kEditions[] = {
    {"Netmarble", GameEdition::kNetmarble, kNetmarble, &VirtualDriveSet::NetmarbleDrive},
    {"Nexon", GameEdition::kNexon, kNexon, &VirtualDriveSet::NexonDrive},
};

TEST(OpenGameFolder, MapsOnceThenReopensTheSameDrive) {
  for (const Edition& e : kEditions) {
    SCOPED_TRACE(e.name);
    Cafe c;
    c.commands.OpenGameFolder(e.edition, kMainWindow);
    EXPECT_EQ(c.Take(), (Lines{std::string("wait 1 ") + kOpeningGame, SubstRun("Z:", e.folder),
                               "shell main open [Z:\\] []", "close 1"}));
    EXPECT_EQ(c.drives.*e.slot, "Z:");
    EXPECT_EQ(c.sim.clock.ticks, 0u);  // the only drive: no wait

    // Pressed again: the wait window shows, nothing is mapped, same drive.
    c.commands.OpenGameFolder(e.edition, kMainWindow);
    EXPECT_EQ(c.Take(), (Lines{std::string("wait 2 ") + kOpeningGame, "shell main open [Z:\\] []",
                               "close 2"}));
    EXPECT_TRUE(c.waits.open.empty());
    EXPECT_TRUE(c.dialogs.shown.empty());
  }
}

TEST(OpenScreenshotFolder, SharedDriveAndThreeSecondsWhenAnotherIsMapped) {
  Cafe c;
  c.commands.OpenGameFolder(GameEdition::kNexon, kMainWindow);
  c.Take();
  // The wait window stays up through the three seconds after "subst".
  bool open_during_wait = false;
  c.sim.clock.pending_messages.push_back([&] { open_during_wait = c.waits.open.size() == 1; });
  c.commands.OpenScreenshotFolder(kMainWindow);
  EXPECT_EQ(c.Take(), (Lines{std::string("wait 2 ") + kOpeningShots, SubstRun("Y:", kShots),
                             "shell main open [Y:\\] []", "close 2"}));
  EXPECT_TRUE(open_during_wait);
  EXPECT_GE(c.sim.clock.ticks, 3000u);
  EXPECT_EQ(c.drives.ScreenshotDrive, "Y:");

  // Both sections' buttons run this command: the drive is reused.
  uint32_t before = c.sim.clock.ticks;
  c.commands.OpenScreenshotFolder(kMainWindow);
  EXPECT_EQ(c.Take(), (Lines{std::string("wait 3 ") + kOpeningShots, "shell main open [Y:\\] []",
                             "close 3"}));
  EXPECT_EQ(c.sim.clock.ticks, before);
}

// A folder that is not there stops the command before anything shows or runs.
TEST(OpenFolder, MissingFolderSaysSoAndDoesNothingElse) {
  struct Case {
    const char* what;
    void (*set_up)(Cafe&);
    bool screenshot;
    const char* message;
  };
  const Case cases[] = {
      {"edition not found", [](Cafe& c) { c.paths.NexonFolder = ""; }, false,
       "info \r\n서든 폴더가 존재하지 않습니다."},
      {"blank folder", [](Cafe& c) { c.paths.NexonFolder = "  "; }, false,
       "info \r\n서든 폴더가 존재하지 않습니다."},
      {"folder gone", [](Cafe& c) { c.paths.NexonFolder = "D:\\PLX\\Nexon\\Gone"; }, false,
       "info \r\n서든 폴더가 존재하지 않습니다."},
      {"a file of that name",
       [](Cafe& c) {
         c.files.AddFile("D:\\PLX\\NexonFile", "x");
         c.paths.NexonFolder = "D:\\PLX\\NexonFile";
       },
       false, "info \r\n서든 폴더가 존재하지 않습니다."},
      {"no screenshot folder", [](Cafe& c) { c.paths.DocumentsFolder = "C:\\Users\\other"; }, true,
       "info \r\n스크린샷 폴더가 존재하지 않습니다."},
      // "\Suddenattack\screenshot" on whatever drive is current is not the
      // user's folder, even when one exists there.
      {"blank documents folder",
       [](Cafe& c) {
         c.files.AddDirectory("\\Suddenattack\\screenshot");
         c.paths.DocumentsFolder = " ";
       },
       true, "info \r\n스크린샷 폴더가 존재하지 않습니다."},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Cafe c;
    k.set_up(c);
    if (k.screenshot)
      c.commands.OpenScreenshotFolder(kMainWindow);
    else
      c.commands.OpenGameFolder(GameEdition::kNexon, kMainWindow);
    EXPECT_EQ(c.Take(), Lines{k.message});
    EXPECT_EQ(c.drives.NexonDrive + c.drives.ScreenshotDrive, "");
  }
}

// When no drive can be made, the wait window closes before the message, the
// slot stays empty and the next press tries again.
TEST(OpenFolder, FailedMappingSaysCannotOpenAndALaterPressRetries) {
  struct Case {
    const char* what;
    void (*break_it)(Cafe&);
  };
  const Case breaks[] = {
      {"subst cannot start", [](Cafe& c) { c.processes.can_start = false; }},
      {"subst fails", [](Cafe& c) { c.processes.program = [](const std::string&) { return 1u; }; }},
  };
  for (const Case& k : breaks) {
    for (bool screenshot : {false, true}) {
      SCOPED_TRACE(std::string(k.what) + (screenshot ? " screenshot" : " game"));
      Cafe c;
      k.break_it(c);
      std::string folder = screenshot ? kShots : kNetmarble;
      auto press = [&] {
        if (screenshot)
          c.commands.OpenScreenshotFolder(kMainWindow);
        else
          c.commands.OpenGameFolder(GameEdition::kNetmarble, kMainWindow);
      };
      press();
      EXPECT_EQ(c.Take(),
                (Lines{std::string("wait 1 ") + (screenshot ? kOpeningShots : kOpeningGame),
                       SubstRun("Z:", folder), "close 1",
                       screenshot ? "info \r\n스크린샷 폴더를 열 수 없습니다."
                                  : "info \r\n서든 폴더를 열 수 없습니다."}));
      EXPECT_EQ(c.drives.NetmarbleDrive + c.drives.ScreenshotDrive, "");

      c.processes.can_start = true;
      c.processes.program = [&c](const std::string& line) { return c.Subst(line); };
      press();
      Lines again = c.Take();
      ASSERT_EQ(again.size(), 4u);
      EXPECT_EQ(again[1], SubstRun("Z:", folder));
      EXPECT_EQ(again[2], "shell main open [Z:\\] []");
    }
  }
}

// A folder whose name the conversion to CP949 changed ("?" for a character
// the code page lacks) is never handed to "subst" or the shell: the command
// fails with its usual message. The simulated system finds such folders, so
// only the commands' own refusal stands between the name and the shell.
TEST(FolderCommands, ChangedFolderNamesFailWithTheUsualMessages) {
  const std::string docs = "C:\\Users\\caf?";
  const std::string shots = docs + "\\Suddenattack\\screenshot";
  const std::string game = "D:\\PLX\\caf?\\SuddenAttack";
  Cafe c;
  c.paths.DocumentsFolder = docs;
  c.paths.NetmarbleFolder = game;
  c.files.AddFile(shots + "\\sa001.jpg", "jpg");
  c.files.AddFile(game + "\\gvi.dat", "settings");
  c.dialogs.answers = {true};

  c.commands.OpenGameFolder(GameEdition::kNetmarble, kMainWindow);
  c.commands.OpenScreenshotFolder(kMainWindow);
  c.commands.DeleteScreenshots();
  EXPECT_EQ(c.Take(),
            (Lines{std::string("wait 1 ") + kOpeningGame, "close 1",
                   "info \r\n서든 폴더를 열 수 없습니다.", std::string("wait 2 ") + kOpeningShots,
                   "close 2", "info \r\n스크린샷 폴더를 열 수 없습니다.",
                   "info \r\n스크린샷 폴더를 삭제하지 못했습니다."}));
  EXPECT_TRUE(c.processes.requests.empty());
  EXPECT_EQ(c.drives.NetmarbleDrive + c.drives.ScreenshotDrive, "");
}

// On the real system such a folder is not found at all. That is no reason to
// say the screenshots are gone: they are still there.
TEST(DeleteScreenshots, DocumentsFolderOutsideCp949IsNotReportedDeleted) {
  Cafe c;
  c.paths.DocumentsFolder = "C:\\Users\\caf?\\Documents";
  c.dialogs.answers = {true};
  c.commands.DeleteScreenshots();
  EXPECT_EQ(c.Take(), Lines{"info \r\n스크린샷 폴더를 삭제하지 못했습니다."});
  EXPECT_TRUE(c.processes.requests.empty());
}

TEST(DeleteScreenshots, AsksAndEmptiesOnlyTheScreenshotFolder) {
  Cafe c;
  c.commands.DeleteScreenshots();  // no answer: No
  EXPECT_EQ(c.Take(), Lines{"confirm \r\n스크린샷 폴더를 삭제하시겠습니까?"});

  c.dialogs.answers = {true};
  c.commands.DeleteScreenshots();
  EXPECT_EQ(c.Take(), (Lines{"confirm \r\n스크린샷 폴더를 삭제하시겠습니까?",
                             std::string("shell delete [") + kShots + "\\*.*]",
                             "info \r\n스크린샷 폴더를 삭제하였습니다."}));
  c.dialogs.answers = {true};
  c.processes.delete_succeeds = false;
  c.commands.DeleteScreenshots();
  EXPECT_EQ(c.Take().back(), "info \r\n스크린샷 폴더를 삭제하지 못했습니다.");
}

TEST(DeleteScreenshots, NoFolderReportsDeletedWithoutAsking) {
  for (const char* docs : {"C:\\Users\\other", "", " \t"}) {
    SCOPED_TRACE(docs);
    Cafe c;
    c.files.AddFile("\\Suddenattack\\screenshot\\keep.jpg", "not the user's");
    c.paths.DocumentsFolder = docs;
    c.dialogs.answers = {true};
    c.commands.DeleteScreenshots();
    EXPECT_EQ(c.Take(), Lines{"info \r\n스크린샷 폴더가 삭제되었습니다."});
    EXPECT_TRUE(c.processes.requests.empty());
  }
}

// A folder whose pattern does not fit the shell's list is refused whole, not
// cut short (a cut pattern could name the folder's parent).
TEST(DeleteScreenshots, TooLongAPathDeletesNothing) {
  Cafe c;
  c.paths.DocumentsFolder = "C:\\" + std::string(230, 'd');
  c.files.AddFile(ScreenshotFolder(c.paths) + "\\sa.jpg", "jpg");
  c.dialogs.answers = {true};
  c.commands.DeleteScreenshots();
  EXPECT_EQ(c.Take().back(), "info \r\n스크린샷 폴더를 삭제하지 못했습니다.");
  EXPECT_TRUE(c.processes.requests.empty());
}

TEST(ResetGame, DeletesOnlyGviDatAfterYes) {
  for (const Edition& e : kEditions) {
    SCOPED_TRACE(e.name);
    Cafe c;
    const std::string gvi = std::string(e.folder) + "\\gvi.dat";
    c.files.AddFile(std::string(e.folder) + "\\game.exe", "exe");
    c.files.AddFile(std::string(e.folder) + "\\gvi.dat.bak", "old");
    std::vector<std::string> before = c.files.ListAll();

    c.dialogs.answers = {false};
    c.commands.ResetGame(e.edition);
    EXPECT_EQ(c.Take(), Lines{"confirm \r\n서든어택을 초기화 하시겠습니까?"});
    EXPECT_EQ(c.files.ListAll(), before);

    c.dialogs.answers = {true};
    c.commands.ResetGame(e.edition);
    EXPECT_EQ(c.Take(), (Lines{"confirm \r\n서든어택을 초기화 하시겠습니까?", "delete " + gvi,
                               "info \r\n서든어택이 초기화 되었습니다."}));
    std::vector<std::string> after = before;
    after.erase(std::find(after.begin(), after.end(), gvi));
    EXPECT_EQ(c.files.ListAll(), after);

    // Gone already: reset, without asking.
    c.commands.ResetGame(e.edition);
    EXPECT_EQ(c.Take(), Lines{"info \r\n서든어택이 초기화 되었습니다."});
  }
}

TEST(ResetGame, NothingToDeleteOrAFailedDelete) {
  // A folder named gvi.dat is not the settings file.
  Cafe c;
  c.files.RemoveFile(std::string(kNexon) + "\\gvi.dat");
  c.files.AddFile(std::string(kNexon) + "\\gvi.dat\\inside", "x");
  c.Take();
  c.dialogs.answers = {true};
  c.commands.ResetGame(GameEdition::kNexon);
  EXPECT_EQ(c.Take(), Lines{"info \r\n서든어택이 초기화 되었습니다."});
  EXPECT_TRUE(c.files.Has(std::string(kNexon) + "\\gvi.dat\\inside"));

  // With no edition folder the path would be "\gvi.dat" on the current drive.
  c.files.AddFile("\\gvi.dat", "not the game's");
  c.paths.NexonFolder = "";
  c.commands.ResetGame(GameEdition::kNexon);
  EXPECT_EQ(c.Take(), Lines{"info \r\n서든어택이 초기화 되었습니다."});
  EXPECT_TRUE(c.files.Has("\\gvi.dat"));

  // A delete that fails says nothing.
  c.files.MakeReadOnly(kNetmarble);
  c.dialogs.answers = {true};
  c.commands.ResetGame(GameEdition::kNetmarble);
  EXPECT_EQ(c.Take(), (Lines{"confirm \r\n서든어택을 초기화 하시겠습니까?",
                             std::string("delete ") + kNetmarble + "\\gvi.dat"}));
}

// The shell's step is owned by the application window, the hidden window
// that owns the main window.
TEST(OpenHomePage, EachEditionItsAddressAndNothingShown) {
  Cafe c;
  c.commands.OpenHomePage(GameEdition::kNetmarble, kApplicationWindow);
  c.commands.OpenHomePage(GameEdition::kNexon, kApplicationWindow);
  EXPECT_EQ(c.Take(),
            (Lines{"execute [http://sudden.netmarble.net/ ]", "execute [http://sa.nexon.com/ ]"}));
  // No such file to start: the shell opens the address; any failure there is
  // the shell's to show.
  c.processes.execute_results = {OpenResult::kFileNotFound};
  c.processes.shell_open_results = {OpenResult::kFailed};
  c.commands.OpenHomePage(GameEdition::kNexon, kApplicationWindow);
  EXPECT_EQ(c.Take(),
            (Lines{"execute [http://sa.nexon.com/ ]", "shell app Open [http://sa.nexon.com/] []"}));
  EXPECT_TRUE(c.dialogs.shown.empty());
}

// A second command pressed during the three-second wait of the first runs
// inside it, to its end; each command closes only its own wait window.
TEST(NestedCommands, RunInsideTheWaitAndCloseOnlyTheirOwnWindow) {
  Cafe c;
  c.commands.OpenScreenshotFolder(kMainWindow);  // Z:, the only drive
  c.Take();
  uint32_t nested_start = 0, nested_end = 0;
  c.sim.clock.pending_messages.push_back([&] {
    nested_start = c.sim.clock.ticks;
    c.commands.OpenGameFolder(GameEdition::kNexon, kMainWindow);
    nested_end = c.sim.clock.ticks;
    c.commands.OpenGameFolder(GameEdition::kNetmarble, kMainWindow);  // filled already
    c.dialogs.answers = {true};
    c.commands.ResetGame(GameEdition::kNexon);
  });
  c.commands.OpenGameFolder(GameEdition::kNetmarble, kMainWindow);
  EXPECT_EQ(c.Take(), (Lines{std::string("wait 2 ") + kOpeningGame, SubstRun("Y:", kNetmarble),
                             // nested, during the wait after subst
                             std::string("wait 3 ") + kOpeningGame, SubstRun("X:", kNexon),
                             "shell main open [X:\\] []", "close 3",
                             std::string("wait 4 ") + kOpeningGame, "shell main open [Y:\\] []",
                             "close 4", "confirm \r\n서든어택을 초기화 하시겠습니까?",
                             std::string("delete ") + kNexon + "\\gvi.dat",
                             "info \r\n서든어택이 초기화 되었습니다.",
                             // the first command goes on
                             "shell main open [Y:\\] []", "close 2"}));
  EXPECT_TRUE(c.waits.open.empty());
  EXPECT_EQ(c.drives.ScreenshotDrive + c.drives.NetmarbleDrive + c.drives.NexonDrive, "Z:Y:X:");
  // The nested mapping waited its own three seconds, and the first one's wait
  // went on after it.
  EXPECT_GE(nested_end - nested_start, 3000u);
  EXPECT_GT(c.sim.clock.ticks, nested_end);
}

}  // namespace
}  // namespace varnett
