// The real platform: the system's side from platform/win32, the program's own
// boxes and wait windows from here, and the Platform view the portable code
// takes.
#pragma once

#include "app/win32_dialogs.h"
#include "app/win32_wait_windows.h"
#include "platform/platform.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_drives.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"
#include "text/win32/system_text_case.h"

namespace varnett {

struct Win32Platform {
  Win32FileSystem files;
  Win32Clock clock;
  Win32Environment environment;
  Win32Registry registry;
  Win32Dialogs dialogs;
  Win32Processes processes{clock};
  Win32Drives drives;
  Win32TextCase text_case;
  Win32WaitWindows waits;

  Platform View() {
    return Platform{files,     clock,  environment, registry, dialogs,
                    processes, drives, text_case,   waits};
  }
};

}  // namespace varnett
