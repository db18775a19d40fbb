#include "catalogue/game_table.h"

namespace varnett {

std::vector<TField> GameFields() {
  struct Row {
    const char* name;
    int size;
  };
  static const Row kRows[] = {
      {"Game", 50},   {"MPath", 255}, {"DPath", 255},    {"Root", 4},      {"PRPath", 255},
      {"PSub", 2},    {"InsRoot", 4}, {"InsRPath", 255}, {"InsRName", 40}, {"AddFPath", 255},
      {"AddFSub", 2}, {"Prog", 255},  {"Icon", 100},     {"DGenre", 20},   {"GGenre", 20},
      {"Rank", 4},    {"PDay", 4},    {"PScript", 100},  {"Patch", 2},     {"Expireday", 4},
  };
  std::vector<TField> fields;
  for (const Row& row : kRows) {
    TField field;
    field.FieldName = row.name;
    field.DataType = ftString;
    field.Size = row.size;
    // Only Game is stored data; the others are calculated fields without a
    // calculation, which hold whatever the stream gave them.
    field.FieldKind = fields.empty() ? fkData : fkCalculated;
    fields.push_back(field);
  }
  return fields;
}

TBinaryStreamFormat CatalogueBinaryFormat() {
  TBinaryStreamFormat format;
  format.LoadFromStart = false;
  return format;
}

GameCatalogue::GameCatalogue()
    : BinaryFormat(CatalogueBinaryFormat()), Game_MemTable("Game_MemTable", GameFields()) {
  Game_MemTable.DefaultFormat = &BinaryFormat;
}

}  // namespace varnett
