#include "catalogue/record_slots.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace varnett {
namespace {

// Slot sequences as a load could append them: evenly spaced stretches of
// several lengths and steps (the longer ones kept as runs), between records
// of any spacing. Every slot must read back as it was appended.
struct Piece {
  size_t count;
  uint64_t step;  // 0: unevenly spaced
};

std::vector<uint64_t> Slots(const std::vector<Piece>& pieces) {
  std::vector<uint64_t> slots;
  uint64_t at = 1000, uneven = 7;
  for (const Piece& p : pieces) {
    for (size_t i = 0; i < p.count; ++i) {
      uneven = uneven * 6364136223846793005u + 1442695040888963407u;
      at += p.step != 0 ? p.step : (uneven >> 40) % 500 + 1;
      slots.push_back(at);
    }
  }
  return slots;
}

TEST(RecordSlots, EverySlotReadsBackAsAppended) {
  const struct {
    const char* name;
    std::vector<Piece> pieces;
  } cases[] = {
      {"uneven only", {{300, 0}}},
      {"a stretch one short of a run", {{5, 0}, {63, 24}, {5, 0}}},
      {"a run from the first slot", {{64, 24}}},
      {"a long run between uneven records", {{10, 0}, {100000, 24}, {10, 0}}},
      {"runs back to back with other steps", {{200, 24}, {200, 32}, {70, 1}, {3, 0}}},
      {"runs one uneven record apart", {{100, 24}, {1, 0}, {100, 24}, {1, 0}, {65, 8}}},
      {"a stretch broken just before it would fold", {{63, 24}, {1, 0}, {63, 24}}},
      {"slots that wrap around", {{2, 0}, {80, ~uint64_t{0} / 3}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<uint64_t> expected = Slots(c.pieces);
    RecordSlots slots;
    for (uint64_t s : expected) slots.PushBack(s);
    ASSERT_EQ(slots.size(), expected.size());
    size_t wrong = 0;
    for (size_t i = 0; i < expected.size(); ++i) wrong += slots[i] != expected[i];
    for (size_t i = expected.size(); i-- > 0;) wrong += slots[i] != expected[i];
    EXPECT_EQ(wrong, 0u);
  }
}

// The point of runs: a padded catalogue's list costs next to nothing, and
// the room asked for ahead is not touched.
TEST(RecordSlots, AMillionEvenlySpacedRecordsHoldLittle) {
  RecordSlots slots;
  for (size_t i = 0; i < 1000000; ++i) slots.PushBack(uint64_t{i} * 24 << 18);
  EXPECT_EQ(slots.size(), 1000000u);
  EXPECT_LT(slots.BytesHeld(), 4096u);
  EXPECT_EQ(slots[999999], uint64_t{999999} * 24 << 18);
  slots.Release();
  EXPECT_EQ(slots.size(), 0u);
  EXPECT_EQ(slots.BytesHeld(), 0u);
}

}  // namespace
}  // namespace varnett
