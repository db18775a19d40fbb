#include "tools/writer/catalogue_writer.h"

#include <stdexcept>

#include "catalogue/game_table.h"

namespace varnett {

std::vector<StreamField> GameStreamFields() {
  std::vector<StreamField> out;
  for (const TField& f : GameFields())
    out.push_back({f.FieldName, f.DataType, f.Size, f.FieldKind});
  return out;
}

StreamVersion GameVersion(std::initializer_list<std::pair<std::string_view, std::string>> values,
                          uint8_t status) {
  static const std::vector<TField> fields = GameFields();
  StreamVersion version;
  version.status = status;
  version.values.resize(fields.size());
  for (const auto& [name, value] : values) {
    size_t i = 0;
    while (i < fields.size() && fields[i].FieldName != name) ++i;
    if (i == fields.size()) throw std::invalid_argument("no catalogue field " + std::string(name));
    version.values[i] = value;
  }
  return version;
}

StreamRecord GameRecord(std::initializer_list<std::pair<std::string_view, std::string>> values,
                        uint8_t status) {
  return StreamRecord{{GameVersion(values, status)}};
}

std::string WriteGameCatalogue(const std::vector<StreamRecord>& records,
                               const TableStreamOptions& options) {
  return WriteTableStream(GameStreamFields(), records, options);
}

}  // namespace varnett
