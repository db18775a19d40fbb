// The two edition searches: candidate set-up from the catalogue or the
// edition's defaults, then a fixed order of folder and registry steps that
// stops at the first one giving a folder.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "locator/locator_system.h"
#include "locator/locator_trace.h"

namespace varnett {

class CatalogueComponentLookup;

struct LocatorContext {
  LocatorSystem system;
  CatalogueComponentLookup& catalogue;
  std::vector<LocatorStep>* trace = nullptr;  // kept only when asked for

  void Note(LocatorStep step) const {
    if (trace) trace->push_back(std::move(step));
  }
};

// Where the catalogue lives under the hidden folder.
std::string CataloguePath(const std::string& hide_folder);

// Each returns the edition's install folder, or empty when it was not found.
// A catalogue that cannot be read is reported in an information box and the
// search goes on; RegistryTypeError passes through.
std::string LocateNetmarble(const LocatorContext& context, const std::string& catalogue_path);
std::string LocateNexon(const LocatorContext& context, const std::string& catalogue_path);

}  // namespace varnett
