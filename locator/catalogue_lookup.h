// Looking an edition up in the café's game catalogue. Behind an interface so
// the searches can be exercised without building catalogue files.
#pragma once

#include <string>

#include "locator/candidates.h"

namespace varnett {

struct CatalogueLookup {
  enum class Outcome {
    kFound,        // F1, F2, K1 and K2 were set from the edition's record
    kNoRecord,     // the table holds no record with the edition's key
    kEmptyMember,  // the archive holds no "Game.dat", or an empty one
  };
  virtual ~CatalogueLookup() = default;
  // Sets F1 := "MPath", F2 := "DPath", K1 := "InsRPath", K2 := "PRPath", in
  // that order, from the first record whose "Game" equals `key` byte for
  // byte. Raises CatalogueError (or std::bad_alloc) when the catalogue cannot
  // be read; what was set before the failure stays.
  virtual Outcome LookUp(const std::string& catalogue_path, const std::string& key,
                         Candidates& candidates) = 0;
};

}  // namespace varnett
