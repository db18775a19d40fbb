// Game catalogue streams: the twenty fields of the catalogue table written
// with the catalogue's settings (no definitions, all fields, revision 251).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/writer/table_stream_writer.h"

namespace varnett {

std::vector<StreamField> GameStreamFields();

// One catalogue record version from CP949 values by field name; fields not
// named are null. Unknown names are a programming error and throw.
StreamVersion GameVersion(std::initializer_list<std::pair<std::string_view, std::string>> values,
                          uint8_t status = 0);
StreamRecord GameRecord(std::initializer_list<std::pair<std::string_view, std::string>> values,
                        uint8_t status = 0);

std::string WriteGameCatalogue(const std::vector<StreamRecord>& records,
                               const TableStreamOptions& options = {});

}  // namespace varnett
