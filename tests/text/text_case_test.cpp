#include "text/text_case.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_text_case.h"

namespace varnett {
namespace {

TEST(UpperCaseMap, BuiltInOneCallLettersUpperRestUnchanged) {
  SimTextCase text_case;
  UpperCaseMap map = BuildUpperCaseMap(text_case);
  EXPECT_EQ(text_case.calls, 1);
  for (int i = 0; i < 256; ++i) {
    int expected = i >= 'a' && i <= 'z' ? i - 'a' + 'A' : i;
    EXPECT_EQ(map[i], expected) << i;
  }
}

}  // namespace
}  // namespace varnett
