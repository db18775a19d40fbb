// The record list of a loaded table: one 64-bit slot per record, appended in
// load order. Its room is taken in one block from the allocator the member
// buffer uses, so a list of millions of records is written into large pages
// instead of faulting in 4 KiB at a time, and it never grows by copying while
// a load stays within the room it asked for.
//
// A long stretch of slots that differ by one step each is kept as a run (its
// first slot, the step and the count) instead of slot by slot. A catalogue
// padded with empty records is millions of records of one shape, one after
// another in the stream, whose slots differ only by the record's length:
// their list would otherwise take a third of the member's size again.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "catalogue/byte_buffer.h"

namespace varnett {

class RecordSlots {
 public:
  RecordSlots() = default;
  ~RecordSlots() { FreeZeroed(listed_, capacity_ * sizeof(uint64_t)); }
  RecordSlots(const RecordSlots&) = delete;
  RecordSlots& operator=(const RecordSlots&) = delete;

  size_t size() const { return size_; }
  // The room of the list and of its runs.
  size_t BytesHeld() const { return capacity_ * sizeof(uint64_t) + runs_.capacity() * sizeof(Run); }

  uint64_t operator[](size_t i) const {
    if (runs_.empty() || i < runs_.front().first) return listed_[i];
    return SlotAfterFirstRun(i);
  }

  // Room for `more` slots besides those listed one by one. Raises
  // std::bad_alloc when the room cannot be had.
  void ReserveMore(size_t more) {
    if (more > SIZE_MAX / sizeof(uint64_t) - listed_count_) throw std::bad_alloc();
    Reserve(listed_count_ + more);
  }
  void PushBack(uint64_t slot) {
    if (!runs_.empty()) {
      Run& last = runs_.back();
      if (last.first + last.count == size_ && slot == last.slot + last.count * last.step) {
        ++last.count;
        ++size_;
        return;
      }
    }
    if (listed_count_ == capacity_) Reserve(capacity_ < 8 ? 16 : capacity_ * 2);
    listed_[listed_count_++] = slot;
    ++size_;
    FoldTail();
  }
  // Empty, with the room given back.
  void Release() {
    RecordSlots none;
    std::swap(listed_, none.listed_);
    std::swap(listed_count_, none.listed_count_);
    std::swap(capacity_, none.capacity_);
    std::swap(size_, none.size_);
    std::swap(runs_, none.runs_);
    std::swap(tail_, none.tail_);
  }

 private:
  struct Run {
    size_t first;  // the index of its first record
    size_t count;
    uint64_t slot;         // its first record's slot
    uint64_t step;         // added for each record after the first
    size_t listed_before;  // slots listed one by one before it
  };
  // Shorter stretches stay listed: a run costs five slots' room, and records
  // of real data rarely line up for long.
  static constexpr size_t kShortestRun = 64;

  void Reserve(size_t capacity) {
    if (capacity <= capacity_) return;
    auto* grown = static_cast<uint64_t*>(AllocateZeroed(capacity * sizeof(uint64_t)));
    if (grown == nullptr) throw std::bad_alloc();
    for (size_t i = 0; i < listed_count_; ++i) grown[i] = listed_[i];
    FreeZeroed(listed_, capacity_ * sizeof(uint64_t));
    listed_ = grown;
    capacity_ = capacity;
  }

  // Counts the stretch of evenly spaced slots that ends the list, and makes
  // it a run once it is long enough.
  void FoldTail() {
    const size_t after_runs = listed_count_ - (runs_.empty() ? 0 : runs_.back().listed_before);
    if (after_runs == 1 || tail_ < 2) {
      tail_ = std::min<size_t>(after_runs, 2);
    } else {
      const uint64_t* end = listed_ + listed_count_;
      tail_ = end[-1] - end[-2] == end[-2] - end[-3] ? tail_ + 1 : 2;
    }
    if (tail_ < kShortestRun) return;
    listed_count_ -= tail_;
    const uint64_t* start = listed_ + listed_count_;
    runs_.push_back(Run{size_ - tail_, tail_, start[0], start[1] - start[0], listed_count_});
    tail_ = 0;
  }
  uint64_t SlotAfterFirstRun(size_t i) const {
    // Scans go forward, mostly through the last run: it is looked at first.
    auto run = runs_.end() - 1;
    if (i < run->first) {
      run = std::upper_bound(runs_.begin(), runs_.end(), i,
                             [](size_t index, const Run& r) { return index < r.first; }) -
            1;
    }
    const size_t into = i - run->first;
    if (into < run->count) return run->slot + into * run->step;
    return listed_[run->listed_before + (into - run->count)];
  }

  uint64_t* listed_ = nullptr;
  size_t listed_count_ = 0;
  size_t capacity_ = 0;
  size_t size_ = 0;  // every record, listed or in a run
  std::vector<Run> runs_;
  // How many slots at the end of the list, after the last run, are evenly
  // spaced (at most the ones listed there).
  size_t tail_ = 0;
};

}  // namespace varnett
