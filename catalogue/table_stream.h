// The binary table stream: a self-describing dump of an in-memory table
// ("TPF0", a revision, field definitions, index definitions, records), and
// the procedure that reads one into any table offering TableStreamTarget.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalogue/field_type.h"
#include "catalogue/memory_stream.h"

namespace varnett {

// The settings of the stream format that matter when reading. The format's
// other settings only steer writing or loading of structure, which this
// program never does.
struct TBinaryStreamFormat {
  // Size of the chunks in which the source is read; smaller values count as
  // the minimum.
  static constexpr int kMinBufferSize = 16384;
  int BufferSize = kMinBufferSize;
  // sfLoadFromStart: rewind the source to position 0 before reading.
  bool LoadFromStart = true;
};

// What the reader needs of the table it fills. Values are assigned by
// position to the record being filled; the table decides how it stores them.
class TableStreamTarget {
 public:
  virtual ~TableStreamTarget() = default;

  virtual int FieldCount() const = 0;
  virtual TFieldType FieldTypeAt(int index) const = 0;
  virtual size_t RecordCount() const = 0;
  // Bytes one record takes in memory, to pre-size the record list (0: unknown).
  virtual size_t RecordSizeInMemory() const = 0;
  virtual void ReserveRecords(size_t total) = 0;

  // Index maintenance is suspended and read-only checks are off between
  // BeginLoad and EndLoad; EndLoad rebuilds every index once.
  virtual void BeginLoad() = 0;
  virtual void EndLoad() = 0;

  // A fresh blank record to fill: every field null, status unmodified.
  virtual void StartRecord() = 0;
  // Chains a blank record behind the one being filled as its older version
  // and makes it the one being filled.
  virtual void StartOlderVersion() = 0;
  virtual void SetUpdateStatus(uint8_t status) = 0;

  virtual void SetNull(int field) = 0;
  virtual void SetText(int field, std::string_view cp949) = 0;
  virtual void SetInteger(int field, int32_t value) = 0;
  virtual void SetBoolean(int field, bool value) = 0;
  virtual void SetFloat(int field, double value) = 0;
  // In ten-thousandths of the unit.
  virtual void SetCurrency(int field, int64_t units) = 0;
  // Days since 30 December 1899; the fraction is the time of day.
  virtual void SetDateTime(int field, double days) = 0;
  virtual void SetLargeint(int field, int64_t value) = 0;

  // Appends the record being filled, with its older versions, at the end.
  virtual void AppendRecord() = 0;
  // Drops the record being filled and its older versions.
  virtual void DiscardRecord() = 0;
};

// Reads one table stream from `source` (from its current position unless the
// format says to rewind) and appends its records to `table`. Raises
// EMemTableError or EReadError with the message of the failure; records
// appended before a failure stay. The source is left just after the last
// byte consumed.
void ReadTableStream(const TBinaryStreamFormat* format, TableStreamTarget& table,
                     MemoryStream& source);

}  // namespace varnett
