// One version of a table record: update status, record numbers, a link to
// the next older version and the field values, packed into one block so that
// a record costs one allocation and little more than its bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace varnett {

enum UpdateStatus : uint8_t { usUnmodified = 0, usModified = 1, usInserted = 2, usDeleted = 3 };

// The values of a record while it is being filled.
struct RecordDraft {
  explicit RecordDraft(int field_count) : values(field_count), is_null(field_count, 1) {}
  void Reset() {
    status = usUnmodified;
    std::fill(is_null.begin(), is_null.end(), uint8_t{1});
  }
  uint8_t status = usUnmodified;
  std::vector<std::string> values;
  std::vector<uint8_t> is_null;
};

class TRecord {
 public:
  TRecord(const TRecord&) = delete;
  TRecord& operator=(const TRecord&) = delete;

  // Packs `draft`; `older` (may be null) becomes owned by the new record.
  static TRecord* Pack(const RecordDraft& draft, TRecord* older);
  // Frees `record` and every older version chained behind it.
  static void Free(TRecord* record);

  uint8_t Status() const { return status_; }
  uint32_t RecordNo() const { return record_no_; }
  uint32_t UniqueRecordNo() const { return unique_no_; }
  void SetNumbers(uint32_t record_no, uint32_t unique_no) {
    record_no_ = record_no;
    unique_no_ = unique_no;
  }
  const TRecord* Older() const { return older_; }
  // Links the next older version behind a record that has none yet.
  void ChainOlder(TRecord* older) { older_ = older; }

  bool IsNull(int field) const;
  // The stored bytes of the field; empty when it is null.
  std::string_view Value(int field) const;

 private:
  TRecord() = default;
  const unsigned char* Values() const { return reinterpret_cast<const unsigned char*>(this + 1); }
  // Position of the field's length prefix.
  const unsigned char* Find(int field) const;

  TRecord* older_ = nullptr;
  uint32_t record_no_ = 0;
  uint32_t unique_no_ = 0;
  uint32_t size_ = 0;
  uint8_t status_ = usUnmodified;
};

struct RecordDeleter {
  void operator()(TRecord* record) const { TRecord::Free(record); }
};
using RecordPtr = std::unique_ptr<TRecord, RecordDeleter>;

}  // namespace varnett
