// An in-memory table: fixed fields, records in load order with their older
// versions, and a cursor that walks the visible records. It is filled from a
// table stream and never edited.
#pragma once

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
  std::string DisplayLabel;
  int DisplayWidth = 0;
  // Position in the table, set by the table.
  int Index = 0;
};

class TMemTable : public TableStreamTarget {
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
  void LoadRecordsFromStream(MemoryStream& source);

  void MoveFirst();
  void MoveNext();
  bool AtEnd() const { return at_end_; }

  // Case-insensitive; raises EDatabaseError "<Name>: Field '<name>' not found".
  const TField& FieldNamed(std::string_view name) const;
  // The stored bytes of the field in the record under the cursor (empty when
  // null); other field types in a plain decimal form.
  std::string AsText(const TField& field) const;
  bool IsNull(const TField& field) const;
  int32_t AsInteger(const TField& field) const;
  bool AsBoolean(const TField& field) const;
  double AsFloat(const TField& field) const;  // also date-time day numbers
  int64_t AsCurrencyUnits(const TField& field) const;
  int64_t AsLargeint(const TField& field) const;

  // The record store, in load order; older versions through TRecord::Older.
  const TRecord& RecordAt(size_t index) const { return *records_[index]; }
  const TRecord* CurrentRecord() const;
  size_t DeletedCount() const { return deleted_count_; }
  int32_t AutoIncValue() const { return auto_inc_; }

  // TableStreamTarget
  int FieldCount() const override { return static_cast<int>(fields_.size()); }
  TFieldType FieldTypeAt(int index) const override { return fields_[index].DataType; }
  size_t RecordCount() const override { return records_.size(); }
  size_t RecordSizeInMemory() const override;
  void ReserveRecords(size_t total) override { records_.reserve(total); }
  void BeginLoad() override {}
  void EndLoad() override;
  void StartRecord() override;
  void StartOlderVersion() override;
  void SetUpdateStatus(uint8_t status) override { draft_.status = status; }
  void SetNull(int field) override { draft_.is_null[field] = 1; }
  void SetText(int field, std::string_view cp949) override;
  void SetInteger(int field, int32_t value) override;
  void SetBoolean(int field, bool value) override;
  void SetFloat(int field, double value) override;
  void SetCurrency(int field, int64_t units) override;
  void SetDateTime(int field, double days) override { SetFloat(field, days); }
  void SetLargeint(int field, int64_t value) override;
  void AppendRecord() override;
  void DiscardRecord() override;

 private:
  void SetBytes(int field, const void* bytes, size_t size);
  std::string_view Stored(const TField& field) const;

  std::string name_;
  std::vector<TField> fields_;
  RecordArena arena_;
  std::vector<TRecord*> records_;  // in arena_
  size_t deleted_count_ = 0;
  uint32_t next_record_no_ = 0;
  uint32_t next_unique_no_ = 0;
  int32_t auto_inc_ = 0;

  size_t cursor_ = 0;
  bool at_end_ = true;

  // The record being filled: its newest version packed so far is `pending_`,
  // the last packed (oldest) is `pending_tail_`; `draft_` is the version
  // being filled now. Discarding it gives the arena back from `pending_mark_`.
  RecordDraft draft_;
  RecordArena::Mark pending_mark_;
  TRecord* pending_ = nullptr;
  TRecord* pending_tail_ = nullptr;
};

}  // namespace varnett
