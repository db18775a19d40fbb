// The binary table stream: a self-describing dump of an in-memory table
// ("TPF0", a revision, field definitions, index definitions, records), and
// the procedure that checks one and hands its records to a table.
#pragma once

#include <cstddef>
#include <cstdint>

#include "catalogue/field_type.h"
#include "catalogue/memory_stream.h"

namespace varnett {

// The settings of the stream format that matter when reading. The format's
// other settings only steer writing or loading of structure, which this
// program never does.
struct TBinaryStreamFormat {
  // sfLoadFromStart: rewind the source to position 0 before reading.
  bool LoadFromStart = true;
};

class TMemTable;

// Reads one table stream from `source` (from its current position unless the
// format says to rewind) and appends its records to `table`. Raises
// EMemTableError or EReadError with the message of the failure; records
// appended before a failure stay. The source is left just after the last
// byte consumed.
void ReadTableStream(const TBinaryStreamFormat* format, TMemTable& table, MemoryStream& source);

}  // namespace varnett
