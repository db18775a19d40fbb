#include "actions/virtual_drive_set.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"

namespace varnett {
namespace {

TEST(RemoveVirtualDrives, FilledSlotsInSlotOrderOneAfterAnother) {
  SimPlatform sim;
  VirtualDriveSet drives{"Y:", " ", "Z:"};
  // The first removal takes a while; a handler runs during its wait, after
  // it was asked for and before the next removal is.
  sim.processes.busy_waits = {1};
  size_t asked_when_handled = 0;
  sim.clock.pending_messages.push_back([&] { asked_when_handled = sim.processes.requests.size(); });
  RemoveVirtualDrives(sim.processes, drives);
  EXPECT_EQ(sim.processes.requests,
            (std::vector<std::string>{
                "shell open [C:\\Windows\\System32\\subst.exe] [/D Y:] hidden wait",
                "shell open [C:\\Windows\\System32\\subst.exe] [/D Z:] hidden wait"}));
  EXPECT_EQ(asked_when_handled, 1u);
  // The slots keep their values.
  EXPECT_EQ(drives.ScreenshotDrive, "Y:");
  EXPECT_EQ(drives.NexonDrive, "Z:");
}

TEST(RemoveVirtualDrives, NothingMappedOrNoSystemFolderRunsNothing) {
  SimPlatform sim;
  RemoveVirtualDrives(sim.processes, VirtualDriveSet{});
  EXPECT_TRUE(sim.processes.requests.empty());
  // A "subst" found by name could be anyone's.
  sim.processes.system_folder = "";
  RemoveVirtualDrives(sim.processes, VirtualDriveSet{"Y:", "", "Z:"});
  EXPECT_TRUE(sim.processes.requests.empty());
}

}  // namespace
}  // namespace varnett
