#include "log/startup_log.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"

namespace varnett {
namespace {

TEST(StartupLogPath, DatedFolderAndName) {
  EXPECT_EQ(StartupLogPath("C:\\Tools\\prog.exe", {2008, 3, 7}),
            "C:\\Tools\\Log\\2008\\03\\20080307_prog.log");
  // Only the last extension is replaced; a dotted folder is left alone.
  EXPECT_EQ(StartupLogPath("D:\\a.b\\my.app.exe", {2026, 12, 10}),
            "D:\\a.b\\Log\\2026\\12\\20261210_my.app.log");
  // A CP949 folder name whose trail byte is "\" (0x5C) is not split there.
  EXPECT_EQ(StartupLogPath("C:\\\x95\x5C\\v.exe", {2026, 1, 2}),
            "C:\\\x95\x5C\\Log\\2026\\01\\20260102_v.log");
}

TEST(StartupLog, TwoStartsOnOneDayAppendFourLinesInOrder) {
  SimPlatform sim;
  sim.files.AddDirectory("C:\\Tools");
  for (int start = 0; start < 2; ++start) {
    sim.clock.second = start;
    StartupLog log(sim.files, sim.clock);
    log.Prepare("C:\\Tools\\Varnett.exe");
  }
  EXPECT_EQ(sim.files.Content("C:\\Tools\\Log\\2008\\03\\20080307_Varnett.log"),
            " [2008-03-07 15:04:00]  \r\n"
            " [2008-03-07 15:04:00]  LOG Started *******************************\r\n"
            " [2008-03-07 15:04:01]  \r\n"
            " [2008-03-07 15:04:01]  LOG Started *******************************\r\n");
}

TEST(StartupLog, NewMonthCreatesItsFolderBeforeWriting) {
  SimPlatform sim;
  sim.files.AddDirectory("C:\\Tools\\Log\\2008\\02");
  sim.clock.today = {2009, 1, 31};
  StartupLog log(sim.files, sim.clock);
  log.Prepare("C:\\Tools\\Varnett.exe");
  ASSERT_GE(sim.files.calls.size(), 2u);
  EXPECT_EQ(sim.files.calls[0], "mkdir C:\\Tools\\Log\\2009\\01");
  EXPECT_EQ(sim.files.calls[1], "append C:\\Tools\\Log\\2009\\01\\20090131_Varnett.log");
  EXPECT_TRUE(sim.files.FileExists("C:\\Tools\\Log\\2009\\01\\20090131_Varnett.log"));
}

TEST(StartupLog, ReadOnlyProgramFolderLeavesTheLogSilent) {
  SimPlatform sim;
  sim.files.AddDirectory("C:\\Program Files\\Varnett");
  sim.files.MakeReadOnly("C:\\Program Files\\Varnett");
  const std::vector<std::string> before = sim.files.ListAll();
  StartupLog log(sim.files, sim.clock);
  log.Prepare("C:\\Program Files\\Varnett\\Varnett.exe");  // must not throw
  log.Write("later");
  EXPECT_EQ(sim.files.ListAll(), before);
}

// Another program holding the log without sharing writes: the start waits
// for it once, not once per line, keeps the log as it was, and a line
// written after the holder has gone gets in.
TEST(StartupLog, HeldLogCostsTheStartOnePatienceAndIsNeverEmptied) {
  SimPlatform sim;
  const std::string path = "C:\\Tools\\Log\\2008\\03\\20080307_Varnett.log";
  sim.files.AddFile(path, "an earlier start\r\n");
  sim.files.HoldWithoutSharing(path);
  StartupLog log(sim.files, sim.clock);
  log.Prepare("C:\\Tools\\Varnett.exe");
  EXPECT_EQ(sim.files.waited_ms, StartupLog::kPatienceMs);
  EXPECT_EQ(sim.files.Content(path), "an earlier start\r\n");

  sim.files.Release(path);
  log.Write("later");
  EXPECT_EQ(sim.files.Content(path), "an earlier start\r\n [" + sim.clock.ShortDateText() + " " +
                                         sim.clock.LongTimeText() + "] later\r\n");
}

TEST(StartupLog, WriteBeforePrepareDoesNothing) {
  SimPlatform sim;
  StartupLog log(sim.files, sim.clock);
  log.Write("early");
  EXPECT_TRUE(sim.files.calls.empty());
}

}  // namespace
}  // namespace varnett
