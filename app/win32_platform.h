// The system's side of the real platform, from platform/win32, one of each;
// the program's own boxes and wait windows belong to the main window, which
// owns them. Each component is handed the part it uses.
#pragma once

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
  Win32Processes processes{clock};
  Win32Drives drives;
  Win32TextCase text_case;
};

}  // namespace varnett
