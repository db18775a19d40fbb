// One field value of a record version in a table stream, read either to check
// it (while a table loads) or to give it in the form the table hands out
// (when a caller reads it).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/field_type.h"
#include "catalogue/value_reader.h"

namespace varnett {

// Reads the value (its null flag first when the stream has them) of a field
// of `type` and `size`. With `stored` set it receives the value as the table
// stores it: a text in CP949 cut at its first NUL byte and then after `size`
// bytes, other types in their binary form. Returns false when the value is
// null. Raises the reader's errors on a malformed value. An auto-increment
// value above `*auto_inc` raises it.
// A text in CP949 as a field of `type` and `size` stores it.
std::string_view StoredText(TFieldType type, int size, std::string_view cp949);

bool ReadFieldValue(ValueReader& in, TFieldType type, int size, bool null_flags,
                    std::string* stored, int32_t* auto_inc = nullptr);

}  // namespace varnett
