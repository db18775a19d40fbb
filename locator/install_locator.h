// Finds the documents folder, the hidden folder and both editions' install
// folders from the catalogue, default folders and registry values.
#pragma once

#include <memory>

#include "locator/edition_paths.h"
#include "locator/locator_system.h"
#include "locator/locator_trace.h"

namespace varnett {

class CatalogueComponentLookup;

class InstallLocator {
 public:
  // Reads the catalogue with the program's own archive reader and table.
  explicit InstallLocator(LocatorSystem system);
  ~InstallLocator();

  // Every source tried is told to `trace` as a record (may be null, the
  // default: then no record is built).
  void SetTrace(LocatorTrace* trace) { trace_ = trace; }

  // Fills `paths`. Catalogue failures are shown in an information box and
  // the search goes on; a registry value of the wrong type throws
  // RegistryTypeError, leaving the members not reached yet empty.
  void Run(EditionPaths& paths);

 private:
  LocatorSystem system_;
  std::unique_ptr<CatalogueComponentLookup> catalogue_;
  LocatorTrace* trace_ = nullptr;
};

}  // namespace varnett
