// Finds the documents folder, the hidden folder and both editions' install
// folders from the catalogue, default folders and registry values.
#pragma once

#include "locator/edition_paths.h"
#include "platform/platform.h"

namespace varnett {

class InstallLocator {
 public:
  explicit InstallLocator(Platform& platform) : platform_(platform) {}
  // Fills `paths`. Catalogue failures are shown in an information box and
  // the search goes on; a registry value of the wrong type throws.
  void Run(EditionPaths& paths);

 private:
  Platform& platform_;
};

}  // namespace varnett
