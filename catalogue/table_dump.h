// A table's visible records as UTF-8 text, one line each, for staff and
// scripts: field names, then values separated by tabs. A null value is \N;
// backslash, tab, CR and LF are escaped as \\, \t, \r, \n; a byte that is not
// part of a valid CP949 character is written as \xHH.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/mem_table.h"

namespace varnett {

std::string EscapedUtf8(std::string_view cp949);

// Moves the table's cursor: all visible records in load order.
std::string DumpVisibleRecords(TMemTable& table);

// A CP949 text as UTF-8 on one line: invalid bytes as \xHH, CR and LF as
// \r and \n, everything else as it is. For messages.
std::string OneLineUtf8(std::string_view cp949);

}  // namespace varnett
