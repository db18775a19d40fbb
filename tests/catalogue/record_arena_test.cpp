#include "catalogue/record_arena.h"

#include <gtest/gtest.h>

#include <cstring>

namespace varnett {
namespace {

// Giving back the tail after a mark, across blocks, reuses the same memory.
TEST(RecordArena, ReleaseReturnsToTheMark) {
  RecordArena arena;
  char* first = static_cast<char*>(arena.Allocate(10));
  std::memset(first, 'a', 10);
  RecordArena::Mark mark = arena.GetMark();
  char* next = static_cast<char*>(arena.Allocate(3));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(next) % RecordArena::kAlignment, 0u);
  for (int i = 0; i < 100; ++i) arena.Allocate(4000);  // several blocks
  arena.Allocate(1 << 20);                             // one of its own
  arena.Release(mark);
  EXPECT_EQ(static_cast<char*>(arena.Allocate(3)), next);
  EXPECT_EQ(std::string(first, 10), std::string(10, 'a'));
  arena.Clear();
  EXPECT_EQ(arena.GetMark().blocks, 0u) << "every block given back";
  arena.Allocate(1);
  EXPECT_EQ(arena.GetMark().blocks, 1u);
  EXPECT_EQ(arena.GetMark().used, RecordArena::kAlignment) << "sizes round up to the alignment";
}

}  // namespace
}  // namespace varnett
