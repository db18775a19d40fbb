// The simulated platform used by the native tests: one of each fake, and the
// Platform view of them that the code under test takes.
#pragma once

#include "platform/platform.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_dialogs.h"
#include "platform/sim/sim_environment.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_registry.h"

namespace varnett {

struct SimPlatform {
  SimFileSystem files;
  SimClock clock;
  SimEnvironment environment;
  SimRegistry registry;
  SimDialogs dialogs;

  Platform View() { return Platform{files, clock, environment, registry, dialogs}; }
};

}  // namespace varnett
