// The game catalogue table: twenty string fields, loaded from the catalogue
// member through the binary stream format, scanned by the install locator.
#pragma once

#include <vector>

#include "catalogue/mem_table.h"
#include "catalogue/table_stream.h"

namespace varnett {

// The fields in stream order, `Game` first.
std::vector<TField> GameFields();

// The format as the catalogue is read: from the source's current position.
TBinaryStreamFormat CatalogueBinaryFormat();

// The table and its format, as the install locator holds them.
struct GameCatalogue {
  GameCatalogue();
  GameCatalogue(const GameCatalogue&) = delete;
  GameCatalogue& operator=(const GameCatalogue&) = delete;

  TBinaryStreamFormat format;
  TMemTable table;  // named "Game_MemTable" in its error texts
};

}  // namespace varnett
