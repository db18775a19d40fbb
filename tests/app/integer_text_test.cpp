// Placement arguments in the framework's integer text form.
#include "app/integer_text.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/support/error_message.h"

namespace varnett {
namespace {

TEST(IntegerText, FrameworkForms) {
  const struct {
    std::string text;
    std::optional<int> value;
  } rows[] = {
      {"249", 249},
      {"  -16", -16},  // leading spaces, then a sign
      {"+7", 7},
      {"$10", 16},
      {"0x1f", 31},
      {"0X1F", 31},
      {"-$10", -16},
      {"$FFFFFFFF", -1},  // hexadecimal spells the whole 32-bit pattern
      {"$80000000", INT_MIN},
      {"$100000000", std::nullopt},  // beyond 32 bits
      {"2147483647", INT_MAX},
      {"2147483648", std::nullopt},  // overflow
      {"-2147483648", INT_MIN},
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"-", std::nullopt},  // a bare sign
      {"+", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"0X", std::nullopt},
      {"0", 0},
      {"\t7", std::nullopt},  // only spaces may lead
      {"7 ", std::nullopt},   // nothing may follow
      {"1f", std::nullopt},   // hexadecimal digits need "$" or "0x"
      {"--7", std::nullopt},
      {"abc", std::nullopt},
  };
  for (const auto& r : rows) EXPECT_EQ(ParseInteger(r.text), r.value) << '"' << r.text << '"';
}

TEST(IntegerText, StrToIntNamesTheText) {
  EXPECT_EQ(StrToInt(" 408"), 408);
  EXPECT_EQ(ErrorMessage<std::runtime_error>([] { StrToInt("abc"); }),
            "'abc' is not a valid integer value");
}

}  // namespace
}  // namespace varnett
