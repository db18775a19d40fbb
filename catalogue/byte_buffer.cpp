#include "catalogue/byte_buffer.h"

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
}  // namespace

void* AllocateZeroed(size_t size) {
  if (size < kLargeBlock) return std::calloc(size, 1);
  void* block = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) return nullptr;
  madvise(block, size, MADV_HUGEPAGE);
  return block;
}

void FreeZeroed(void* block, size_t size) {
  if (block == nullptr) return;
  if (size < kLargeBlock) {
    std::free(block);
  } else {
    munmap(block, size);
  }
}
#else
void* AllocateZeroed(size_t size) { return std::calloc(size, 1); }
void FreeZeroed(void* block, size_t) { std::free(block); }
#endif

}  // namespace varnett
