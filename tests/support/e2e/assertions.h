// The end-to-end tests' first step as one assertion: the program started and
// its main window shown, or the reason it was not, for the failure message.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/e2e/driver.h"

namespace varnett::e2e {

// Starts `program` and waits for its main window to show; a box that comes
// first fails it, with its title and text, unless its text is `expected_box`
// (answered and waited past).
inline ::testing::AssertionResult StartedAndShown(Program& program,
                                                  const std::wstring& expected_box = L"") {
  if (!program.Start()) return ::testing::AssertionFailure() << program.start_error();
  std::wstring unexpected;
  if (!program.WaitVisible(15000, &unexpected, expected_box)) {
    return ::testing::AssertionFailure()
           << (unexpected.empty() ? "no window showed" : "a box came: " + Utf8(unexpected));
  }
  return ::testing::AssertionSuccess();
}

}  // namespace varnett::e2e
