// Turns on the real system: one holder at a time, a wait that ends at its
// limit, and a turn passed on when its holder lets go or ends without
// letting go. A mutex belongs to a thread, so every taker here is a thread of
// its own, as the copies of the program are processes of their own.
#include "platform/win32/machine_turn.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

namespace varnett {
namespace {

std::wstring TestTurnName() {
  return L"varnett_test_turn_" + std::to_wstring(GetCurrentProcessId());
}

TurnWait TakeInAnotherThread(const std::wstring& name, uint32_t wait_ms) {
  TurnWait wait = TurnWait::kNoTurns;
  std::thread([&] { wait = TakeMachineTurn(name.c_str(), wait_ms).wait; }).join();
  return wait;
}

TEST(MachineTurn, OneHolderAtATime) {
  const std::wstring name = TestTurnName();
  MachineTurn held = TakeMachineTurn(name.c_str(), 0);
  ASSERT_EQ(held.wait, TurnWait::kTaken);
  EXPECT_EQ(TakeInAnotherThread(name, 50), TurnWait::kTimedOut);
  held.held.Reset();
  EXPECT_EQ(TakeInAnotherThread(name, 0), TurnWait::kTaken);
}

TEST(MachineTurn, HolderThatEndsWithoutLettingGoPassesItOn) {
  const std::wstring name = TestTurnName();
  ScopedHandle kept;  // the mutex stays in existence, its holder gone
  std::thread([&] {
    MachineTurn turn = TakeMachineTurn(name.c_str(), 0);
    ASSERT_EQ(turn.wait, TurnWait::kTaken);
    kept.Reset(turn.held.Release());
  }).join();
  EXPECT_EQ(TakeInAnotherThread(name, 5000), TurnWait::kTaken);
}

}  // namespace
}  // namespace varnett
