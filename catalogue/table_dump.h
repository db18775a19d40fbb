// A table's visible records as UTF-8 text, one line each, for staff and
// scripts: field names, then values separated by tabs, each printed by
// EscapedUtf8 (text/printable_utf8.h). A null value is \N.
#pragma once

#include <string>

#include "catalogue/mem_table.h"

namespace varnett {

// Moves the table's cursor: all visible records in load order.
std::string DumpVisibleRecords(TMemTable& table);

}  // namespace varnett
