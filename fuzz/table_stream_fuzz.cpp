// Feeds arbitrary bytes to the table stream reader: once into the game
// catalogue table, as the program loads a catalogue, and once into a table of
// every value kind. Only the reader's own errors may come out.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "catalogue/errors.h"
#include "catalogue/game_table.h"
#include "catalogue/mem_table.h"
#include "catalogue/table_dump.h"

namespace {

using namespace varnett;

void Load(TMemTable& table, const uint8_t* data, size_t size) {
  MemoryStream stream(std::string(reinterpret_cast<const char*>(data), size));
  try {
    table.LoadRecordsFromStream(stream);
  } catch (const CatalogueError&) {
    // Expected for malformed input; what was appended stays readable.
  }
  // Every visible record and every older version must be readable.
  DumpVisibleRecords(table);
  for (size_t i = 0; i < table.RecordCount(); ++i) {
    for (std::optional<TRecord> r = table.RecordAt(i); r; r = r->Older()) {
      for (int f = 0; f < table.FieldCount(); ++f) r->Value(f);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static GameCatalogue* catalogue = new GameCatalogue;
  catalogue->Game_MemTable.ClearRecords();
  Load(catalogue->Game_MemTable, data, size);

  static TBinaryStreamFormat format = CatalogueBinaryFormat();
  TMemTable typed("Typed", {{"Name", ftString, 8},
                            {"Count", ftInteger},
                            {"Active", ftBoolean},
                            {"Ratio", ftFloat},
                            {"Price", ftCurrency},
                            {"Since", ftDateTime},
                            {"Big", ftLargeint},
                            {"Id", ftAutoInc},
                            {"Note", ftMemo}});
  typed.DefaultFormat = &format;
  Load(typed, data, size);
  return 0;
}
