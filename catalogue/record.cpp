#include "catalogue/record.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace varnett {

// Values are stored one after another, each as a little-endian base-128
// number holding its length plus one (zero for null), then its bytes.

namespace {

size_t PrefixSize(uint64_t n) {
  size_t size = 1;
  while (n >= 0x80) {
    n >>= 7;
    ++size;
  }
  return size;
}

unsigned char* PutPrefix(unsigned char* p, uint64_t n) {
  while (n >= 0x80) {
    *p++ = static_cast<unsigned char>(n | 0x80);
    n >>= 7;
  }
  *p++ = static_cast<unsigned char>(n);
  return p;
}

const unsigned char* GetPrefix(const unsigned char* p, uint64_t* n) {
  uint64_t value = 0;
  int shift = 0;
  while (*p & 0x80) {
    value |= uint64_t{*p++ & 0x7Fu} << shift;
    shift += 7;
  }
  *n = value | (uint64_t{*p++} << shift);
  return p;
}

}  // namespace

void* RecordArena::Allocate(size_t size) {
  size = (size + alignof(TRecord) - 1) & ~(alignof(TRecord) - 1);
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

TRecord* TRecord::Pack(const RecordDraft& draft, RecordArena& arena) {
  size_t size = 0;
  const int count = draft.FieldCount();
  for (int i = 0; i < count; ++i) {
    uint64_t n = draft.is_null[i] ? 0 : draft.size[i] + 1;
    size += PrefixSize(n) + (n ? n - 1 : 0);
  }
  TRecord* record = new (arena.Allocate(sizeof(TRecord) + size)) TRecord();
  record->size_ = static_cast<uint32_t>(size);
  record->status_ = draft.status;
  unsigned char* p = reinterpret_cast<unsigned char*>(record + 1);
  for (int i = 0; i < count; ++i) {
    if (draft.is_null[i]) {
      p = PutPrefix(p, 0);
    } else {
      std::string_view v = draft.Value(i);
      p = PutPrefix(p, v.size() + 1);
      if (!v.empty()) std::memcpy(p, v.data(), v.size());
      p += v.size();
    }
  }
  return record;
}

const unsigned char* TRecord::Find(int field) const {
  const unsigned char* p = Values();
  for (int i = 0; i < field; ++i) {
    uint64_t n;
    p = GetPrefix(p, &n);
    if (n) p += n - 1;
  }
  return p;
}

bool TRecord::IsNull(int field) const { return *Find(field) == 0; }

std::string_view TRecord::Value(int field) const {
  uint64_t n;
  const unsigned char* p = GetPrefix(Find(field), &n);
  if (n == 0) return {};
  return std::string_view(reinterpret_cast<const char*>(p), static_cast<size_t>(n - 1));
}

}  // namespace varnett
