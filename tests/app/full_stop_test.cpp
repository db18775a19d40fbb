// The default error box's sentence rule.
#include "app/full_stop.h"

#include <gtest/gtest.h>

#include "text/conversions.h"

namespace varnett {
namespace {

TEST(FullStop, AddedWhenTheLastByteSortsAfterTheStop) {
  const struct {
    std::string message, shown;
  } rows[] = {
      {"'abc' is not a valid integer value", "'abc' is not a valid integer value."},
      {"Done.", "Done."},
      {"Really?", "Really?."},  // "?" sorts after ".": the rule compares bytes
      {"", ""},
      {"a-", "a-"},  // "-" sorts before "."
      {"a/", "a/."},
      {"a ", "a "},
      {"7", "7."},
      {Ko("게임"), Ko("게임.")},  // the second byte of a Korean character
      {"\r\n", "\r\n"},
  };
  for (const auto& r : rows) EXPECT_EQ(WithFullStop(r.message), r.shown) << r.message;
}

}  // namespace
}  // namespace varnett
