#include "catalogue/byte_buffer.h"

#include <cstdint>
#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace varnett {

#ifdef __linux__
namespace {
// From this size on, blocks are mapped in 2 MiB pages where the system
// offers them on request.
constexpr size_t kLargeBlock = size_t{4} << 20;
// A 2 MiB page covers only an aligned 2 MiB of the mapping: the block is
// placed on that boundary and rounded up to it, or its first and last
// stretch (up to 4 MiB in all) would fault in 4 KiB at a time.
constexpr size_t kHugePage = size_t{2} << 20;

size_t Mapped(size_t size) { return (size + kHugePage - 1) & ~(kHugePage - 1); }
}  // namespace

void* AllocateZeroed(size_t size) {
  if (size < kLargeBlock) return std::calloc(size, 1);
  const size_t mapped = Mapped(size);
  if (mapped < size || mapped + kHugePage < mapped) return nullptr;
  char* raw = static_cast<char*>(mmap(nullptr, mapped + kHugePage, PROT_READ | PROT_WRITE,
                                      MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
  if (raw == MAP_FAILED) return nullptr;
  const uintptr_t at = reinterpret_cast<uintptr_t>(raw);
  char* block = raw + ((kHugePage - at % kHugePage) % kHugePage);
  if (block != raw) munmap(raw, size_t(block - raw));
  const size_t after = size_t(raw + mapped + kHugePage - (block + mapped));
  if (after != 0) munmap(block + mapped, after);
  madvise(block, mapped, MADV_HUGEPAGE);
  return block;
}

void PrepareForWriting(void* at, size_t size) {
  // Linux 5.14 on; an older kernel refuses the advice and the pages fault in
  // as before. Blocks below kLargeBlock come from the C library's heap as
  // well as from fresh mappings: pages already there are left as they are.
  constexpr uintptr_t kPage = 4096;
  constexpr size_t kWorthACall = size_t{64} << 10;
  if (size < kWorthACall) return;
  const uintptr_t start = (reinterpret_cast<uintptr_t>(at) + kPage - 1) & ~(kPage - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(at) + size) & ~(kPage - 1);
  if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
}

void FreeZeroed(void* block, size_t size) {
  if (block == nullptr) return;
  if (size < kLargeBlock) {
    std::free(block);
  } else {
    munmap(block, Mapped(size));
  }
}
#else
void* AllocateZeroed(size_t size) { return std::calloc(size, 1); }
void FreeZeroed(void* block, size_t) { std::free(block); }
void PrepareForWriting(void*, size_t) {}
#endif

}  // namespace varnett
