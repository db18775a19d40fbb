#include "actions/process_helpers.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_processes.h"
#include "text/conversions.h"

namespace varnett {
namespace {

using Requests = std::vector<std::string>;
constexpr WindowHandle kApplicationWindow = 0x52;

TEST(LaunchCommand, ProgramChoosesItsWindowAndNothingWaits) {
  SimProcesses processes;
  LaunchCommand(processes, "notepad.exe a.txt");
  processes.can_start = false;
  LaunchCommand(processes, "missing.exe");  // ignored
  EXPECT_EQ(processes.requests, (Requests{"run notepad.exe a.txt", "run missing.exe"}));
}

TEST(ExecuteCommand, StartedIsTrueWhateverTheExitCode) {
  constexpr StartWindow kHidden = StartWindow::kHidden, kShown = StartWindow::kShown;
  constexpr WaitMode kWait = WaitMode::kUntilEnded, kNoWait = WaitMode::kNone;
  struct Case {
    const char* what;
    const char* program;
    StartWindow window;
    WaitMode wait;
    bool can_start, readable;
    const char* request;
    bool started;
    uint32_t exit_code;  // 7 when left as it was
  };
  const Case cases[] = {
      {"hidden, waited, fails with 3", "", kHidden, kWait, true, true, "run x.exe hidden wait",
       true, 3},
      {"shown, not waited", "", kShown, kNoWait, true, true, "run x.exe shown", true, 7},
      {"by full path", "C:\\x.exe", kShown, kNoWait, true, true, "run [C:\\x.exe] x.exe shown",
       true, 7},
      {"not started", "", kHidden, kWait, false, true, "run x.exe hidden wait", false, 7},
      {"exit code unreadable", "", kHidden, kWait, true, false, "run x.exe hidden wait", true, 7},
  };
  for (const Case& c : cases) {
    SimProcesses processes;
    processes.can_start = c.can_start;
    processes.exit_code_readable = c.readable;
    processes.program = [](const std::string&) { return 3u; };
    uint32_t exit_code = 7;
    EXPECT_EQ(ExecuteCommand(processes, c.program, "x.exe", c.window, c.wait, &exit_code),
              c.started)
        << c.what;
    EXPECT_EQ(exit_code, c.exit_code) << c.what;
    EXPECT_EQ(processes.requests, Requests{c.request}) << c.what;
  }
}

TEST(OpenDocument, FallsBackOnlyOnFileNotFound) {
  constexpr OpenResult kOk = OpenResult::kOpened, kFnf = OpenResult::kFileNotFound,
                       kError = OpenResult::kFailed;
  const std::string execute = "execute [http://x.kr ]";
  const std::string shell = "shell Open [http://x.kr] [] owner=0x52";
  struct Case {
    std::deque<OpenResult> execute, shell;
    Requests requests;
  };
  const Case cases[] = {
      {{kOk}, {}, {execute}},
      {{kError}, {}, {execute}},
      // Not found: the shell opens it with "Open" and an empty parameter text.
      {{kFnf}, {kOk}, {execute, shell}},
      {{kFnf}, {kError}, {execute, shell}},
      // Not found by the shell either: started directly, trailing blank kept.
      {{kFnf}, {kFnf}, {execute, shell, "run http://x.kr "}},
  };
  for (const Case& c : cases) {
    SimProcesses processes;
    processes.execute_results = c.execute;
    processes.shell_open_results = c.shell;
    OpenDocument(processes, kApplicationWindow, "http://x.kr", "");
    EXPECT_EQ(processes.requests, c.requests);
  }

  SimProcesses processes;
  processes.execute_results = {kFnf};
  OpenDocument(processes, kApplicationWindow, "game.exe", "-window");
  EXPECT_EQ(processes.requests,
            (Requests{"execute [game.exe -window]", "shell Open [game.exe] [-window] owner=0x52"}));
}

TEST(ShellDeletePath, OneTrailingDelimiterGoesAndLongPathsAreRefused) {
  const std::string fits = "C:\\" + std::string(251, 'a');  // 254 bytes
  struct Case {
    std::string path;
    bool recycle;
    std::string request;  // empty: refused, nothing asked
  };
  const Case cases[] = {
      {"C:\\Docs\\shots\\*.*", false, "delete [C:\\Docs\\shots\\*.*]"},
      {"C:\\Docs\\shots\\", true, "delete [C:\\Docs\\shots] recycle"},
      {"C:\\Docs\\shots\\\\", false, "delete [C:\\Docs\\shots\\]"},
      {Ko("C:\\똠\\"), false, Ko("delete [C:\\똠]")},
      // A lead byte and "\" make no CP949 character, so the system would be
      // given another name: refused, whether or not a delimiter follows.
      {"C:\\\x95\x5C", false, ""},
      {"C:\\\x95\x5C\\", false, ""},
      {fits, false, "delete [" + fits + "]"},
      {fits + "\\", false, "delete [" + fits + "]"},  // 254 once "\" is gone
      {fits + "b", false, ""},
      {std::string(5000, 'x'), false, ""},
      // A name the conversion to CP949 changed: "?" would be a wildcard.
      {"C:\\Docs\\caf?\\*.*", false, ""},
      {"C:\\Docs\\x?.jpg", false, ""},
      {"C:\\Docs\\x\xB0\\*.*", false, ""},  // no CP949 character: not what the system gets
  };
  for (const Case& c : cases) {
    SimProcesses processes;
    EXPECT_EQ(ShellDeletePath(processes, c.path, c.recycle), !c.request.empty()) << c.path;
    EXPECT_EQ(processes.requests, c.request.empty() ? Requests{} : Requests{c.request}) << c.path;
  }

  SimProcesses failing;
  failing.delete_succeeds = false;
  EXPECT_FALSE(ShellDeletePath(failing, "C:\\x\\*.*", false));
}

}  // namespace
}  // namespace varnett
