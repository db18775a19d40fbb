// An in-memory table: fixed fields, records in load order with their older
// versions, and a cursor that walks the visible records. It is filled from a
// table stream and never edited.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/field_type.h"
#include "catalogue/memory_stream.h"
#include "catalogue/record.h"
#include "catalogue/record_slots.h"
#include "catalogue/table_stream.h"

namespace varnett {

struct TField {
  TField() = default;
  TField(std::string name, TFieldType type, int size = 0, TFieldKind kind = fkData)
      : FieldName(std::move(name)), DataType(type), Size(size), FieldKind(kind) {}

  std::string FieldName;
  TFieldType DataType = ftString;
  // For string fields the most bytes a value keeps; 0 for no limit.
  int Size = 0;
  TFieldKind FieldKind = fkData;
  // Position in the table, set by the table.
  int Index = 0;
};

class TMemTable {
 public:
  TMemTable(std::string name, std::vector<TField> fields);
  TMemTable(const TMemTable&) = delete;
  TMemTable& operator=(const TMemTable&) = delete;

  // The component name that prefixes the table's error messages.
  const std::string& Name() const { return name_; }
  const std::vector<TField>& Fields() const { return fields_; }
  // The format that LoadRecordsFromStream uses; not owned.
  const TBinaryStreamFormat* DefaultFormat = nullptr;

  // Removes every record, resets the record numbers and leaves AtEnd true.
  void ClearRecords();
  // Appends the records of the table stream read from the source's position.
  // The table keeps the source's bytes (shared, not copied) while it holds
  // records from them.
  void LoadRecordsFromStream(MemoryStream& source);

  void MoveFirst();
  void MoveNext() {
    for (size_t i = cursor_ + 1; i < slots_.size(); ++i) {
      if (static_cast<uint8_t>(slots_[i]) != usDeleted) {
        cursor_ = i;
        at_end_ = false;
        return;
      }
    }
    at_end_ = true;
  }
  bool AtEnd() const { return at_end_; }

  // Case-insensitive; raises EDatabaseError "<Name>: Field '<name>' not found".
  const TField& FieldNamed(std::string_view name) const;
  // The stored bytes of the field in the record under the cursor (empty when
  // null); other field types in a plain decimal form.
  std::string AsText(const TField& field) const;
  // Whether AsText would give exactly `text`, without building it. A scan
  // for a name mostly ends here, in the record list.
  bool TextEquals(const TField& field, std::string_view text) const {
    if (&field == fields_.data() && cursor_ < slots_.size()) {
      const uint64_t slot = slots_[cursor_];
      if (slot & kFirstEmpty) return text.empty();
      if ((slot & kFirstByte) && !text.empty() &&
          static_cast<uint8_t>(text[0]) != static_cast<uint8_t>(slot >> 8))
        return false;
    }
    return TextEqualsInStream(field, text);
  }
  bool IsNull(const TField& field) const;
  int32_t AsInteger(const TField& field) const;
  bool AsBoolean(const TField& field) const;
  double AsFloat(const TField& field) const;  // also date-time day numbers
  int64_t AsCurrencyUnits(const TField& field) const;
  int64_t AsLargeint(const TField& field) const;

  // The record store, in load order; older versions through TRecord::Older.
  TRecord RecordAt(size_t index) const;
  size_t RecordCount() const { return slots_.size(); }
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  size_t DeletedCount() const { return deleted_count_; }
  int32_t AutoIncValue() const { return auto_inc_; }
  void RaiseAutoInc(int32_t value) { auto_inc_ = std::max(auto_inc_, value); }
  // Bytes the records hold: their list and the streams they were loaded from.
  size_t BytesHeld() const;

  // While a stream's records are read: takes its bytes, sizes the record list
  // for up to `most` more records, and appends each record checked. A stream
  // that gave no record is let go again.
  class LoadScope {
   public:
    LoadScope(TMemTable& table, std::shared_ptr<const ByteBuffer> bytes, bool lists,
              bool null_flags, size_t most);
    ~LoadScope();
    LoadScope(const LoadScope&) = delete;
    LoadScope& operator=(const LoadScope&) = delete;
    // The record whose newest version's values start at `values_at`, its
    // values checked.
    void Append(size_t values_at, uint8_t status) {
      table_.slots_.PushBack(Slot(values_at, FirstTextOf(values_at), status));
      if (status == usDeleted) ++table_.deleted_count_;
    }

    // An unmodified record whose values, starting at `values_at`, are all
    // null.
    void AppendAllNull(size_t values_at) {
      table_.slots_.PushBack(Slot(values_at, first_is_text_ ? kFirstEmpty : 0, usUnmodified));
    }

   private:
    uint64_t FirstTextOf(size_t values_at) const;

    TMemTable& table_;
    const char* base_;
    const char* end_;
    bool null_flags_;
    bool first_is_text_;  // the first field is a text field
  };

 private:
  bool TextEqualsInStream(const TField& field, std::string_view text) const;
  // The field of the record under the cursor; false when it is null or there
  // is no record.
  bool Read(const TField& field, std::string* stored) const;
  template <typename T>
  T As(const TField& field) const;
  bool OnRecord(const TField& field) const {
    return cursor_ < slots_.size() && field.Index >= 0 && field.Index < FieldCount();
  }

  std::string name_;
  std::vector<TField> fields_;
  std::vector<TableLoad> loads_;
  // One per record in load order: where its newest version's values start
  // in its stream (from bit kOffsetShift on), what its first field holds as
  // far as a search for a text needs to know (bits 8 to 17)
  // and its update status (the low 8 bits). A scan for a name then reads
  // the stream only for records whose first field may hold it: a catalogue
  // of millions of records is searched in its record list alone.
  RecordSlots slots_;
  static constexpr int kOffsetShift = 18;
  // What the first field holds: not known (0: the stream must be read),
  // certainly the empty text or null (kFirstEmpty), or a text that is either
  // empty or begins with the byte in bits 8 to 15 (kFirstByte).
  static constexpr uint64_t kFirstEmpty = uint64_t{1} << 16;
  static constexpr uint64_t kFirstByte = uint64_t{2} << 16;
  static uint64_t Slot(size_t values_at, uint64_t first_text, uint8_t status);
  static size_t ValuesAt(uint64_t slot) { return static_cast<size_t>(slot >> kOffsetShift); }
  size_t deleted_count_ = 0;
  int32_t auto_inc_ = 0;

  size_t cursor_ = 0;
  bool at_end_ = true;
};

}  // namespace varnett
