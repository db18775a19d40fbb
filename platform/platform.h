// The one narrow interface to the operating system: everything outside app/
// and platform/win32/ reaches the system only through these references.
#pragma once

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/wait_windows.h"

namespace varnett {

struct Platform {
  FileSystem& files;
  Clock& clock;
  Environment& environment;
  Registry& registry;
  Dialogs& dialogs;
  WaitWindows& waits;
};

}  // namespace varnett
