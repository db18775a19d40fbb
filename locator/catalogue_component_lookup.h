// The catalogue lookup with the program's own components: the archive reader
// and the game table, kept for the whole locator run so both editions'
// lookups go through the same reader and the second one reuses the table the
// first one read.
#pragma once

#include <string>

#include "catalogue/game_table.h"
#include "catalogue/mem_table.h"
#include "catalogue/unzipper.h"
#include "locator/candidates.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"

namespace varnett {

class CatalogueComponentLookup {
 public:
  enum class Outcome {
    kFound,        // F1, F2, K1 and K2 were set from the edition's record
    kNoRecord,     // the table holds no record with the edition's key
    kEmptyMember,  // the archive holds no "Game.dat", or an empty one
  };

  explicit CatalogueComponentLookup(ArchiveReaderSystem system);
  // Sets F1 := "MPath", F2 := "DPath", K1 := "InsRPath", K2 := "PRPath" from
  // the first record whose "Game" equals `key` byte for byte. Raises
  // CatalogueError (or std::bad_alloc) when the catalogue cannot be read.
  Outcome LookUp(const std::string& catalogue_path, const std::string& key, Candidates& candidates);

 private:
  TUnZipper reader_;
  GameCatalogue catalogue_;
  // The catalogue whose table `catalogue_` holds whole, or empty.
  std::string loaded_path_;
};

// Extracts "Game.dat" from the catalogue at `catalogue_path`, loads it into
// `table` and sets F1, F2, K1 and K2 from the first record whose "Game" is
// `key`. Closes the archive when nothing was raised.
CatalogueComponentLookup::Outcome LookUpCatalogue(TUnZipper& zipper, TMemTable& table,
                                                  const std::string& catalogue_path,
                                                  const std::string& key, Candidates& candidates);

// Sets F1, F2, K1 and K2 from the first record of the loaded `table` whose
// "Game" is `key`.
CatalogueComponentLookup::Outcome FindInTable(TMemTable& table, const std::string& key,
                                              Candidates& candidates);

}  // namespace varnett
