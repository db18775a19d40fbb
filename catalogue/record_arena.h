// Memory for a table's records, taken in large blocks: no allocation per
// record, everything freed at once, and the tail given back when a record
// that was being filled is dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace varnett {

class RecordArena {
 public:
  RecordArena() = default;
  RecordArena(const RecordArena&) = delete;
  RecordArena& operator=(const RecordArena&) = delete;

  // `size` bytes aligned for any record.
  void* Allocate(size_t size);
  static constexpr size_t kAlignment = alignof(void*);

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

}  // namespace varnett
