// Feeds arbitrary bytes to the table stream reader: once into the game
// catalogue table, as the program loads a catalogue, and once into a table of
// every value kind. Only the reader's own errors may come out, and a text
// compared in place must agree with the same text read out.
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

// The comparison in place must agree with the value read out.
void CheckTextEquals(const TRecord& r, int field) {
  const std::string value = r.Value(field);
  if (!r.TextEquals(field, value) || r.TextEquals(field, value + "x")) __builtin_trap();
  if (!value.empty() && r.TextEquals(field, std::string(1, static_cast<char>(value[0] ^ 1)))) {
    __builtin_trap();
  }
}

// The cursor's comparison, which first looks at what the record list notes
// of the record's first field, must agree with the value read out too.
void CheckCursorTextEquals(TMemTable& table) {
  for (table.MoveFirst(); !table.AtEnd(); table.MoveNext()) {
    for (const TField& f : table.Fields()) {
      if (StreamValueKindOf(f.DataType) != StreamValueKind::kText) continue;
      const std::string value = table.AsText(f);
      if (!table.TextEquals(f, value) || table.TextEquals(f, value + "x")) __builtin_trap();
      if (table.TextEquals(f, std::string()) != value.empty()) __builtin_trap();
      if (!value.empty() &&
          table.TextEquals(f, std::string(1, static_cast<char>(value[0] ^ 1)) + value.substr(1))) {
        __builtin_trap();
      }
    }
  }
}

void Load(TMemTable& table, const uint8_t* data, size_t size, bool all_text) {
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
      for (int f = 0; f < table.FieldCount(); ++f) {
        r->Value(f);
        if (all_text) CheckTextEquals(*r, f);
      }
    }
  }
  CheckCursorTextEquals(table);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static GameCatalogue* catalogue = new GameCatalogue;
  catalogue->table.ClearRecords();
  Load(catalogue->table, data, size, true);

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
  Load(typed, data, size, false);
  return 0;
}
