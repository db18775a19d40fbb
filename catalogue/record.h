// One version of a table record: update status, record numbers, a link to
// the next older version and the field values, packed into one piece of a
// table's record arena, so that a record costs little more than its bytes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace varnett {

enum UpdateStatus : uint8_t { usUnmodified = 0, usModified = 1, usInserted = 2, usDeleted = 3 };

// The values of a record while it is being filled: their bytes one after
// another in one buffer, so that filling a record allocates nothing once the
// buffer has grown. A value set twice leaves its old bytes unused.
struct RecordDraft {
  explicit RecordDraft(int field_count)
      : begin(field_count), size(field_count), is_null(field_count, 1) {}
  void Reset() {
    status = 0;
    bytes.clear();
    std::fill(is_null.begin(), is_null.end(), uint8_t{1});
  }
  void Set(int field, const void* data, size_t count) {
    begin[field] = bytes.size();
    size[field] = count;
    bytes.append(static_cast<const char*>(data), count);
    is_null[field] = 0;
  }
  std::string_view Value(int field) const {
    return std::string_view(bytes.data() + begin[field], size[field]);
  }
  int FieldCount() const { return static_cast<int>(is_null.size()); }

  uint8_t status = 0;
  std::string bytes;
  std::vector<size_t> begin;
  std::vector<size_t> size;
  std::vector<uint8_t> is_null;
};

// Holds a table's records in large blocks: no allocation per record, and
// everything is freed at once.
class RecordArena {
 public:
  RecordArena() = default;
  RecordArena(const RecordArena&) = delete;
  RecordArena& operator=(const RecordArena&) = delete;

  // `size` bytes aligned for any record.
  void* Allocate(size_t size);

  struct Mark {
    size_t blocks = 0;
    size_t used = 0;
  };
  Mark GetMark() const { return {blocks_.size(), used_}; }
  // Frees everything allocated after `mark` was taken.
  void Release(Mark mark);
  void Clear() { Release({}); }

 private:
  static constexpr size_t kBlockSize = 64 * 1024;
  struct Block {
    std::unique_ptr<char[]> data;
    size_t size;
  };
  std::vector<Block> blocks_;
  size_t used_ = 0;  // bytes used in the last block
};

class TRecord {
 public:
  TRecord(const TRecord&) = delete;
  TRecord& operator=(const TRecord&) = delete;

  // Packs `draft` into `arena`.
  static TRecord* Pack(const RecordDraft& draft, RecordArena& arena);

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

}  // namespace varnett
