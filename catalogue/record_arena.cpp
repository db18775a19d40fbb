#include "catalogue/record_arena.h"

#include <algorithm>

namespace varnett {

void* RecordArena::Allocate(size_t size) {
  size = (size + kAlignment - 1) & ~(kAlignment - 1);
  if (blocks_.empty() || blocks_.back().size - used_ < size) {
    size_t block_size = std::max(size, kBlockSize);
    blocks_.push_back({std::unique_ptr<char[]>(new char[block_size]), block_size});
    used_ = 0;
  }
  void* p = blocks_.back().data.get() + used_;
  used_ += size;
  return p;
}

void RecordArena::Release(Mark mark) {
  if (blocks_.size() > mark.blocks) blocks_.resize(mark.blocks);
  used_ = mark.used;
  if (blocks_.empty()) std::vector<Block>().swap(blocks_);
}

}  // namespace varnett
