// One version of a table record. A table keeps each record as its place in
// the bytes of the stream it was loaded from, checked when it was loaded; a
// TRecord reads the values from there when they are asked for, so a loaded
// table costs a few bytes per record beyond the stream itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/byte_buffer.h"

namespace varnett {

class TMemTable;
class ValueReader;

enum UpdateStatus : uint8_t { usUnmodified = 0, usModified = 1, usInserted = 2, usDeleted = 3 };

// The bytes of one loaded stream and how its records are laid out.
struct TableLoad {
  std::shared_ptr<const ByteBuffer> bytes;
  size_t first_record = 0;  // index in the table of its first record
  bool lists = false;       // records in list markers, with update statuses
  bool null_flags = false;  // a null flag before every value
};

class TRecord {
 public:
  uint8_t Status() const { return status_; }
  uint32_t RecordNo() const { return record_no_; }
  // Both numbers are given in load order from 0 after each emptying.
  uint32_t UniqueRecordNo() const { return record_no_; }
  // The next older version, which has no record numbers of its own.
  std::optional<TRecord> Older() const;

  bool IsNull(int field) const;
  // The stored bytes of the field (see ReadFieldValue); empty when null.
  std::string Value(int field) const;
  // Whether the field holds exactly `text` (a null field holds the empty
  // text), without building the value.
  bool TextEquals(int field, std::string_view text) const;

 private:
  friend class TMemTable;
  TRecord(const TMemTable& table, const TableLoad& load, size_t values_at, uint8_t status,
          uint32_t record_no)
      : table_(&table),
        load_(&load),
        values_at_(values_at),
        status_(status),
        record_no_(record_no) {}
  // Moves past the values of the fields before `field`.
  void SkipTo(ValueReader& in, int field) const;
  // Reads up to the field's value; false when it is null.
  bool Read(int field, std::string* stored) const;

  const TMemTable* table_;
  const TableLoad* load_;
  size_t values_at_;  // where this version's first value starts
  uint8_t status_;
  uint32_t record_no_;
};

}  // namespace varnett
