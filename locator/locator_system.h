// The part of the system the locator reads, and where it shows a catalogue
// it cannot read.
#pragma once

#include "platform/dialogs.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/registry.h"

namespace varnett {

struct LocatorSystem {
  Environment& environment;
  Registry& registry;
  FileSystem& files;
  Dialogs& dialogs;
};

}  // namespace varnett
