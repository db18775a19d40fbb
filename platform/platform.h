// The one narrow interface to the operating system: everything outside app/
// and platform/win32/ reaches the system only through these references.
#pragma once

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/drives.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/wait_windows.h"
#include "text/text_case.h"

namespace varnett {

struct Platform {
  FileSystem& files;
  Clock& clock;
  Environment& environment;
  Registry& registry;
  Dialogs& dialogs;
  Processes& processes;
  DriveSystem& drives;
  TextCase& text_case;
  WaitWindows& waits;
};

}  // namespace varnett
