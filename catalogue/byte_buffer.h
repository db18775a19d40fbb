// A block of bytes with a size and room to grow, the storage of a memory
// stream. Growing fills with zero bytes, but fresh blocks come zeroed from
// the system: sizing a buffer for a member and then inflating into it writes
// each byte once, not twice.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

namespace varnett {

// `size` zero bytes, or null. A large block is asked for so that it costs
// few page faults when it is first written: a member of hundreds of
// megabytes otherwise takes one fault per 4 KiB page, most of the time of a
// lookup on some systems.
void* AllocateZeroed(size_t size);
void FreeZeroed(void* block, size_t size);
// Brings in the pages of `size` bytes from `at` that are about to be written
// in full, where the system can do that in one call: a first write per
// 4 KiB page costs a fault each, which on some systems outweighs decoding
// the member. The bytes are unchanged; where the system cannot, nothing is
// done and the pages come in as they are written.
void PrepareForWriting(void* at, size_t size);

class ByteBuffer {
 public:
  ByteBuffer() = default;
  explicit ByteBuffer(std::string_view bytes) {
    Resize(bytes.size());
    if (!bytes.empty()) std::memcpy(data_, bytes.data(), bytes.size());
  }
  ByteBuffer(const ByteBuffer& other) : ByteBuffer(other.view()) {}
  ByteBuffer& operator=(const ByteBuffer&) = delete;
  ~ByteBuffer() { FreeZeroed(data_, capacity_); }

  const char* data() const { return data_ != nullptr ? data_ : ""; }
  char* data() { return data_; }
  size_t size() const { return size_; }
  size_t capacity() const { return capacity_; }
  std::string_view view() const { return std::string_view(data(), size_); }

  // Raises std::bad_alloc when the room cannot be had.
  void Reserve(size_t capacity) {
    if (capacity <= capacity_) return;
    char* grown = static_cast<char*>(AllocateZeroed(capacity));
    if (grown == nullptr) throw std::bad_alloc();
    if (size_ != 0) std::memcpy(grown, data_, size_);
    FreeZeroed(data_, capacity_);
    data_ = grown;
    capacity_ = capacity;
    used_ = size_;
  }
  // New bytes are zero.
  void Resize(size_t size) {
    if (size > capacity_) {
      // Room beyond the old capacity comes zeroed; bytes a shrink left
      // behind are cleared below.
      Reserve(size > capacity_ * 2 ? size : capacity_ * 2);
    }
    if (size > size_ && used_ > size_) std::memset(data_ + size_, 0, std::min(size, used_) - size_);
    size_ = size;
    if (size_ > used_) used_ = size_;
  }

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
  // Bytes that have been inside the size since the block was allocated; the
  // ones after them are still the fresh block's zeros.
  size_t used_ = 0;
};

}  // namespace varnett
