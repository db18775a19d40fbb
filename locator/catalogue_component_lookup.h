// The catalogue lookup with the program's own components: the archive reader
// `MemZipper` and the game table `Game_MemTable`, kept for the whole locator
// run so both editions' lookups go through the same reader and the second
// one reuses the table the first one read.
#pragma once

#include <string>

#include "catalogue/game_table.h"
#include "catalogue/mem_table.h"
#include "catalogue/unzipper.h"
#include "locator/catalogue_lookup.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"

namespace varnett {

// Extracts "Game.dat" from the catalogue at `catalogue_path`, loads it into
// `table` and sets F1, F2, K1 and K2 from the first record whose "Game" is
// `key`. Closes the archive when nothing was raised.
CatalogueLookup::Outcome LookUpCatalogue(TUnZipper& zipper, TMemTable& table,
                                         const std::string& catalogue_path, const std::string& key,
                                         Candidates& candidates);

// Sets F1, F2, K1 and K2 from the first record of the loaded `table` whose
// "Game" is `key`.
CatalogueLookup::Outcome FindInTable(TMemTable& table, const std::string& key,
                                     Candidates& candidates);

class CatalogueComponentLookup : public CatalogueLookup {
 public:
  CatalogueComponentLookup(FileReader& files, Dialogs& dialogs);
  Outcome LookUp(const std::string& catalogue_path, const std::string& key,
                 Candidates& candidates) override;

 private:
  TUnZipper MemZipper;
  GameCatalogue catalogue_;
  // The catalogue whose table `catalogue_` holds whole, or empty.
  std::string loaded_path_;
};

}  // namespace varnett
