#include "actions/process_helpers.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"

namespace varnett {
namespace {

using Calls = std::vector<std::string>;

TEST(LaunchCommand, StartsWithDefaultWindowStateAndClosesBothHandles) {
  SimPlatform sim;
  Platform p = sim.View();
  LaunchCommand(p, "notepad.exe a.txt");
  EXPECT_EQ(sim.processes.calls,
            (Calls{"CreateProcess notepad.exe a.txt creation=0x20 flags=0x0 show=0",
                   "CloseHandle 0x100", "CloseHandle 0x101"}));
  EXPECT_TRUE(sim.processes.open_handles.empty());

  sim.processes.calls.clear();
  sim.processes.can_create = false;
  LaunchCommand(p, "missing.exe");
  EXPECT_EQ(sim.processes.calls.size(), 1u);  // nothing to close
}

TEST(ExecuteCommand, HiddenAndWaitedWaitsIdleThenEndAndClosesHandles) {
  SimPlatform sim;
  Platform p = sim.View();
  sim.processes.program = [](const std::string&) { return 3u; };  // fails, but it started
  uint32_t exit_code = 0;
  EXPECT_TRUE(ExecuteCommand(p, "subst Z: \"C:\\x\"", true, true, &exit_code));
  EXPECT_EQ(exit_code, 3u);
  EXPECT_EQ(sim.processes.calls,
            (Calls{"CreateProcess subst Z: \"C:\\x\" creation=0x20 flags=0x41 show=0",
                   "WaitForInputIdle 0x100 INFINITE", "WaitForSingleObject 0x100 INFINITE",
                   "GetExitCodeProcess 0x100", "CloseHandle 0x100", "CloseHandle 0x101"}));
  EXPECT_TRUE(sim.processes.open_handles.empty());
  EXPECT_EQ(sim.clock.message_passes, 0);  // the wait blocks
}

TEST(ExecuteCommand, ShownWithoutWaitReturnsAtOnce) {
  SimPlatform sim;
  Platform p = sim.View();
  EXPECT_TRUE(ExecuteCommand(p, "x.exe", false, false));
  EXPECT_EQ(sim.processes.calls, (Calls{"CreateProcess x.exe creation=0x20 flags=0x41 show=1",
                                        "CloseHandle 0x100", "CloseHandle 0x101"}));
}

TEST(ExecuteCommand, ProcessNotCreatedIsFalseWithoutWaiting) {
  SimPlatform sim;
  Platform p = sim.View();
  sim.processes.can_create = false;
  uint32_t exit_code = 7;
  EXPECT_FALSE(ExecuteCommand(p, "nothing.exe", true, true, &exit_code));
  EXPECT_EQ(sim.processes.calls.size(), 1u);
  EXPECT_EQ(exit_code, 7u);
}

TEST(OpenDocument, FallsBackOnlyOnFileNotFound) {
  struct Case {
    std::deque<uint32_t> win_exec;
    std::deque<intptr_t> shell;
    Calls calls;
  };
  const Case cases[] = {
      // WinExec starts it: done.
      {{33}, {}, {"WinExec [http://x.kr ] show=1"}},
      // Any other WinExec error ends it too.
      {{3}, {}, {"WinExec [http://x.kr ] show=1"}},
      {{0}, {}, {"WinExec [http://x.kr ] show=1"}},
      // Not found: the shell opens it with "Open" and an empty parameter text.
      {{2},
       {42},
       {"WinExec [http://x.kr ] show=1", "ShellExecute owner=0x52 Open [http://x.kr] [] show=1"}},
      {{2},
       {31},
       {"WinExec [http://x.kr ] show=1", "ShellExecute owner=0x52 Open [http://x.kr] [] show=1"}},
      // Not found by the shell either: started directly, trailing blank kept.
      {{2},
       {2},
       {"WinExec [http://x.kr ] show=1", "ShellExecute owner=0x52 Open [http://x.kr] [] show=1",
        "CreateProcess http://x.kr  creation=0x20 flags=0x0 show=0", "CloseHandle 0x100",
        "CloseHandle 0x101"}},
  };
  for (const Case& c : cases) {
    SimPlatform sim;
    Platform p = sim.View();
    sim.processes.win_exec_results = c.win_exec;
    sim.processes.shell_execute_results = c.shell;
    OpenDocument(p, "http://x.kr", "");
    EXPECT_EQ(sim.processes.calls, c.calls);
  }
}

TEST(OpenDocument, ParametersFollowOneBlank) {
  SimPlatform sim;
  Platform p = sim.View();
  sim.processes.win_exec_results = {2};
  OpenDocument(p, "game.exe", "-window");
  EXPECT_EQ(sim.processes.calls[0], "WinExec [game.exe -window] show=1");
  EXPECT_EQ(sim.processes.calls[1], "ShellExecute owner=0x52 Open [game.exe] [-window] show=1");
}

TEST(ShellExecuteAndWait, PumpsMessagesBetween50msWaitsThenCloses) {
  SimPlatform sim;
  Platform p = sim.View();
  sim.processes.timed_waits = {kWaitTimeout, kWaitTimeout};
  int nested = 0;
  sim.clock.pending_messages.push_back([&] { ++nested; });  // another button's handler
  ShellExecuteAndWait(p, "subst", "/D Z:", kSwHide);
  EXPECT_EQ(
      sim.processes.calls,
      (Calls{"GetActiveWindow", "ShellExecuteEx mask=0x140 window=0x51 open [subst] [/D Z:] show=0",
             "WaitForSingleObject 0x100 50", "WaitForSingleObject 0x100 50",
             "WaitForSingleObject 0x100 50", "CloseHandle 0x100"}));
  EXPECT_EQ(sim.clock.message_passes, 2);
  EXPECT_EQ(nested, 1);
  EXPECT_TRUE(sim.processes.open_handles.empty());
}

TEST(ShellExecuteAndWait, NothingToWaitForReturnsAtOnce) {
  for (bool fails : {true, false}) {
    SimPlatform sim;
    Platform p = sim.View();
    sim.processes.shell_execute_ex_succeeds = !fails;
    sim.processes.shell_gives_process = false;  // e.g. a document opened by DDE
    ShellExecuteAndWait(p, "readme.txt", "", kSwShowNormal);
    EXPECT_EQ(sim.processes.calls.size(), 2u) << fails;
    EXPECT_EQ(sim.clock.message_passes, 0);
  }
}

TEST(ShellDeletePath, FlagsTrailingDelimiterAndZeroFilledBuffer) {
  struct Case {
    std::string path;
    bool recycle;
    std::string listed;  // what the shell is asked to delete
    uint16_t flags;
  };
  const Case cases[] = {
      {"C:\\Docs\\shots\\*.*", false, "C:\\Docs\\shots\\*.*", 0x14},
      {"C:\\Docs\\shots\\", true, "C:\\Docs\\shots", 0x54},
      {"C:\\Docs\\shots\\\\", false, "C:\\Docs\\shots\\", 0x14},  // only one removed
      // A double-byte character whose trail byte is "\" is not a delimiter.
      {"C:\\\x95\x5C", false, "C:\\\x95\x5C", 0x14},
      {"C:\\\x95\x5C\\", false, "C:\\\x95\x5C", 0x14},
  };
  for (const Case& c : cases) {
    SimPlatform sim;
    Platform p = sim.View();
    EXPECT_TRUE(ShellDeletePath(p, c.path, c.recycle)) << c.path;
    ASSERT_EQ(sim.processes.file_operations.size(), 1u);
    const FileOperation& op = sim.processes.file_operations[0];
    EXPECT_EQ(op.window, 0u);
    EXPECT_EQ(op.function, kFoDelete);
    EXPECT_EQ(op.flags, c.flags) << c.path;
    EXPECT_EQ(op.from, c.listed + std::string(256 - c.listed.size(), '\0')) << c.path;
  }
}

TEST(ShellDeletePath, PathBeyondTheBufferIsRefusedWithoutDeleting) {
  SimPlatform sim;
  Platform p = sim.View();
  const std::string fits = "C:\\" + std::string(251, 'a');  // 254 bytes
  EXPECT_TRUE(ShellDeletePath(p, fits, false));
  EXPECT_TRUE(ShellDeletePath(p, fits + "\\", false));  // 254 once the "\" is gone
  EXPECT_EQ(sim.processes.file_operations.size(), 2u);
  EXPECT_EQ(sim.processes.file_operations[1].from.substr(0, 256), fits + std::string(2, '\0'));
  EXPECT_FALSE(ShellDeletePath(p, fits + "b", false));
  EXPECT_FALSE(ShellDeletePath(p, std::string(5000, 'x'), false));
  EXPECT_EQ(sim.processes.file_operations.size(), 2u);
}

TEST(ShellDeletePath, ShellFailureIsFalse) {
  SimPlatform sim;
  Platform p = sim.View();
  sim.processes.file_operation_result = 0x7C;
  EXPECT_FALSE(ShellDeletePath(p, "C:\\x\\*.*", false));
}

TEST(ShellDeleteFile, PathUnchangedSilentPermanentNoErrorDialogs) {
  SimPlatform sim;
  Platform p = sim.View();
  EXPECT_TRUE(ShellDeleteFile(p, "C:\\Tools\\Varnett.exe.log\\"));
  ASSERT_EQ(sim.processes.file_operations.size(), 1u);
  const FileOperation& op = sim.processes.file_operations[0];
  EXPECT_EQ(op.from, std::string("C:\\Tools\\Varnett.exe.log\\\0\0", 27));
  EXPECT_EQ(op.flags, 0x414);
  EXPECT_EQ(op.function, kFoDelete);
  sim.processes.file_operation_result = 2;
  EXPECT_FALSE(ShellDeleteFile(p, "C:\\missing.log"));
}

}  // namespace
}  // namespace varnett
