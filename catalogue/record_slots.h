// The record list of a loaded table: one 64-bit slot per record, appended in
// load order. Its room is taken in one block from the allocator the member
// buffer uses, so a list of millions of records is written into large pages
// instead of faulting in 4 KiB at a time, and it never grows by copying while
// a load stays within the room it asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

#include "catalogue/byte_buffer.h"

namespace varnett {

class RecordSlots {
 public:
  RecordSlots() = default;
  ~RecordSlots() { FreeZeroed(slots_, capacity_ * sizeof(uint64_t)); }
  RecordSlots(const RecordSlots&) = delete;
  RecordSlots& operator=(const RecordSlots&) = delete;

  size_t size() const { return size_; }
  size_t capacity() const { return capacity_; }
  uint64_t operator[](size_t i) const { return slots_[i]; }

  // Raises std::bad_alloc when the room cannot be had.
  void Reserve(size_t capacity) {
    if (capacity <= capacity_) return;
    if (capacity > SIZE_MAX / sizeof(uint64_t)) throw std::bad_alloc();
    auto* grown = static_cast<uint64_t*>(AllocateZeroed(capacity * sizeof(uint64_t)));
    if (grown == nullptr) throw std::bad_alloc();
    for (size_t i = 0; i < size_; ++i) grown[i] = slots_[i];
    FreeZeroed(slots_, capacity_ * sizeof(uint64_t));
    slots_ = grown;
    capacity_ = capacity;
  }
  void PushBack(uint64_t slot) {
    if (size_ == capacity_) Reserve(capacity_ < 8 ? 16 : capacity_ * 2);
    slots_[size_++] = slot;
  }
  // Empty, with the room given back.
  void Release() {
    RecordSlots none;
    std::swap(slots_, none.slots_);
    std::swap(size_, none.size_);
    std::swap(capacity_, none.capacity_);
  }

 private:
  uint64_t* slots_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

}  // namespace varnett
