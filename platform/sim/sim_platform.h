// The simulated platform used by the native tests: one of each fake, and the
// Platform view of them that the code under test takes.
#pragma once

#include "platform/platform.h"
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

  Platform View() {
    return Platform{files,     clock,  environment, registry, dialogs,
                    processes, drives, text_case,   waits};
  }
};

}  // namespace varnett
