// The simulated platform used by the native tests: one of each fake, from
// which a test hands the code under test the part it uses.
#pragma once

#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_dialogs.h"
#include "platform/sim/sim_drives.h"
#include "platform/sim/sim_environment.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_processes.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_text_case.h"
#include "platform/sim/sim_wait_windows.h"

namespace varnett {

struct SimPlatform {
  SimFileSystem files;
  SimClock clock;
  SimEnvironment environment;
  SimRegistry registry;
  SimDialogs dialogs;
  SimProcesses processes;
  SimDrives drives;
  SimTextCase text_case;
  SimWaitWindows waits;

  SimPlatform() { processes.messages = &clock; }
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;
};

}  // namespace varnett
