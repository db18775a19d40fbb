// The two edition searches: candidate set-up from the catalogue or the
// edition's defaults, then a fixed order of folder and registry steps that
// stops at the first one giving a folder.
#pragma once

#include <string>

#include "locator/locator_system.h"
#include "locator/locator_trace.h"

namespace varnett {

class CatalogueComponentLookup;

struct LocatorContext {
  LocatorSystem system;
  CatalogueComponentLookup& catalogue;
  LocatorTrace* trace = nullptr;  // optional

  // `make` builds the record only when someone listens.
  template <typename Make>
  void Record(Make make) const {
    if (trace) trace->Add(make());
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
