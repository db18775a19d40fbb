// What the end-to-end driver relies on when it makes a start again: Wine
// reports a process started once its own start-up is done, before the
// program's first instruction. A program that ends at once is therefore a
// start that succeeded, never one that is retried, so no fault of the
// program can hide behind the retry.
#include "tests/support/e2e/driver.h"

#include <gtest/gtest.h>

#include "tests/support/e2e/cafe.h"

namespace varnett::e2e {
namespace {

TEST(Driver, AProgramEndingInItsFirstInstructionCountsAsStarted) {
  Program program(kRoot + L"\\ends-at-once", L"ends_at_once.exe",
                  BuildFolder() + L"\\wintools\\ends_at_once.exe");
  ASSERT_TRUE(program.Start()) << program.start_error();
  DWORD code = 0;
  ASSERT_TRUE(program.WaitExit(15000, &code));
  EXPECT_EQ(code, 7u) << "ended by its own first call";
}

}  // namespace
}  // namespace varnett::e2e
