// Finds the documents folder, the hidden folder and both editions' install
// folders from the catalogue, default folders and registry values.
#pragma once

#include <memory>
#include <vector>

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

  // Fills `paths`, and `trace`, when given, with every source tried up to
  // the end or the error. Catalogue failures are shown in an information box
  // and the search goes on; a registry value of the wrong type throws
  // RegistryTypeError, leaving the members not reached yet empty.
  void Run(EditionPaths& paths, std::vector<LocatorStep>* trace = nullptr);

 private:
  LocatorSystem system_;
  std::unique_ptr<CatalogueComponentLookup> catalogue_;
};

}  // namespace varnett
