#include "actions/virtual_drive_set.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"

namespace varnett {
namespace {

TEST(RemoveVirtualDrives, FilledSlotsInSlotOrderOneAfterAnother) {
  SimPlatform sim;
  Platform p = sim.View();
  VirtualDriveSet drives{"Y:", " ", "Z:"};
  sim.processes.timed_waits = {kWaitTimeout};  // the first removal takes a while
  RemoveVirtualDrives(p, drives);
  EXPECT_EQ(
      sim.processes.calls,
      (std::vector<std::string>{
          "GetActiveWindow", "ShellExecuteEx mask=0x140 window=0x51 open [subst] [/D Y:] show=0",
          "WaitForSingleObject 0x100 50", "WaitForSingleObject 0x100 50", "CloseHandle 0x100",
          "GetActiveWindow", "ShellExecuteEx mask=0x140 window=0x51 open [subst] [/D Z:] show=0",
          "WaitForSingleObject 0x101 50", "CloseHandle 0x101"}));
  // The slots keep their values.
  EXPECT_EQ(drives.ScreenshotDrive, "Y:");
  EXPECT_EQ(drives.NexonDrive, "Z:");
}

TEST(RemoveVirtualDrives, NothingMappedRunsNothing) {
  SimPlatform sim;
  Platform p = sim.View();
  RemoveVirtualDrives(p, VirtualDriveSet{});
  EXPECT_TRUE(sim.processes.calls.empty());
}

}  // namespace
}  // namespace varnett
