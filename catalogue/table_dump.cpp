#include "catalogue/table_dump.h"

#include <vector>

#include "text/printable_utf8.h"

namespace varnett {

std::string DumpVisibleRecords(TMemTable& table) {
  const std::vector<TField>& fields = table.Fields();
  std::string out;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) out += '\t';
    out += EscapedUtf8(fields[i].FieldName);
  }
  out += '\n';
  for (table.MoveFirst(); !table.AtEnd(); table.MoveNext()) {
    for (size_t i = 0; i < fields.size(); ++i) {
      if (i) out += '\t';
      out += table.IsNull(fields[i]) ? "\\N" : EscapedUtf8(table.AsText(fields[i]));
    }
    out += '\n';
  }
  return out;
}

}  // namespace varnett
