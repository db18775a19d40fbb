#include "actions/virtual_drive_set.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"

namespace varnett {
namespace {

TEST(RemoveVirtualDrives, FilledSlotsInSlotOrderOneAfterAnother) {
  SimPlatform sim;
  VirtualDriveSet slots{"Y:", " ", "Z:"};
  // The first removal takes a while; a handler runs during its wait, after
  // it was asked for and before the next removal is.
  sim.processes.busy_waits = {1};
  size_t asked_when_handled = 0;
  sim.clock.pending_messages.push_back([&] { asked_when_handled = sim.processes.requests.size(); });
  RemoveVirtualDrives(sim.processes, slots);
  EXPECT_EQ(sim.processes.requests,
            (std::vector<std::string>{"shell open [subst] [/D Y:] hidden wait",
                                      "shell open [subst] [/D Z:] hidden wait"}));
  EXPECT_EQ(asked_when_handled, 1u);
  // The slots keep their values.
  EXPECT_EQ(slots.ScreenshotDrive, "Y:");
  EXPECT_EQ(slots.NexonDrive, "Z:");
}

TEST(RemoveVirtualDrives, NothingMappedRunsNothing) {
  SimPlatform sim;
  RemoveVirtualDrives(sim.processes, VirtualDriveSet{});
  EXPECT_TRUE(sim.processes.requests.empty());
}

}  // namespace
}  // namespace varnett
