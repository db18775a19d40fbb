// One record of a table stream's record list, with its older versions:
// checked, and found where its newest version's values start. Two readers
// that agree: the general one, for any field types, and a quick one for the
// common case of a table whose fields are all texts.
#pragma once

#include <cstdint>
#include <vector>

#include "catalogue/mem_table.h"
#include "catalogue/value_reader.h"

namespace varnett {

// Reads the record at the reader's position, raising the reader's errors on
// a malformed one; the reader ends after it. `lists`: the record sits in list
// markers with update statuses; `null_flags`: a null flag precedes each value.
void ReadRecord(ValueReader& in, const std::vector<TField>& fields, bool lists, bool null_flags,
                uint8_t* status, const char** values, int32_t* auto_inc);

// The record at `p` when every field is a text and every item is whole and of
// the expected kind: returns where it ends, with the newest version's status
// and where its values start, exactly as ReadRecord would. Returns null for
// anything else (a malformed or cut record included), which ReadRecord then
// reads from the same place, failing or not as it always does.
const char* CheckTextRecord(const char* p, const char* end, int field_count, bool lists,
                            bool null_flags, uint8_t* status, const char** values);

}  // namespace varnett
