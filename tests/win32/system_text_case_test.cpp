#include "text/win32/system_text_case.h"

#include <gtest/gtest.h>

#include "text/conversions.h"

namespace varnett {
namespace {

TEST(Win32TextCase, UpperCaseMapFollowsTheSystemInCodePage949) {
  Win32TextCase text_case;
  UpperCaseMap map = BuildUpperCaseMap(text_case);
  for (int i = 0; i < 128; ++i) {
    int expected = i >= 'a' && i <= 'z' ? i - 'a' + 'A' : i;
    EXPECT_EQ(map[i], expected) << i;
  }
  // Full-width letters are double-byte in CP949 and follow the system's rule.
  EXPECT_EQ(text_case.UpperCase("\xA3\xE1z" + Ko("가")), "\xA3\xC1Z" + Ko("가"));
}

}  // namespace
}  // namespace varnett
