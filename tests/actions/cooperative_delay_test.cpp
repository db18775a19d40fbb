#include "actions/cooperative_delay.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_clock.h"

namespace varnett {
namespace {

// The fake clock moves 1 ms per sleep; one sleep and one message pass per
// pass of the loop, and the pass that sees the last boundary still does both.
TEST(CooperativeDelay, CountsBucketBoundariesRoundedUpAndAtLeastOne) {
  struct Case {
    double seconds;
    uint32_t ends_at;
  };
  const Case cases[] = {{0, 101},    {0.05, 101}, {-2, 101},   {0.1, 101},
                        {0.25, 301}, {1.0, 1001}, {1.05, 1101}};
  for (const Case& c : cases) {
    SimClock clock;
    CooperativeDelay(clock, c.seconds);
    EXPECT_EQ(clock.ticks, c.ends_at) << c.seconds;
    EXPECT_EQ(clock.sleeps, static_cast<int>(c.ends_at)) << c.seconds;
    EXPECT_EQ(clock.message_passes, static_cast<int>(c.ends_at)) << c.seconds;
  }
}

TEST(CooperativeDelay, BlockingHandlerCountsAsOneTenthAndIsNotMadeUp) {
  SimClock clock;
  clock.ticks = 40;  // the buckets are counted from the start, not from 0
  clock.pending_messages.push_back([&] { clock.Advance(2000); });  // a modal box
  CooperativeDelay(clock, 1.0);
  // Start 40; the handler jumps to bucket 20 (one boundary), then nine more.
  EXPECT_EQ(clock.ticks, 40u + 2000 + 1 + 899 + 1);
}

TEST(CooperativeDelay, TickCounterWrapAroundIsHarmless) {
  SimClock clock;
  clock.ticks = 0xFFFFFFFFu - 30;
  CooperativeDelay(clock, 0.2);
  EXPECT_EQ(clock.ticks, 0xFFFFFFFFu - 30 + 201);  // wrapped past zero
  EXPECT_EQ(clock.sleeps, 201);
}

TEST(WaitSeconds, OneSecondDelaysEachFollowedByOneMessagePass) {
  SimClock clock;
  WaitSeconds(clock, 3);
  EXPECT_EQ(clock.ticks, 3003u);
  EXPECT_EQ(clock.message_passes, 3003 + 3);
  for (int count : {0, -1}) {
    SimClock idle;
    WaitSeconds(idle, count);
    EXPECT_EQ(idle.ticks, 0u);
    EXPECT_EQ(idle.message_passes, 0);
  }
}

}  // namespace
}  // namespace varnett
