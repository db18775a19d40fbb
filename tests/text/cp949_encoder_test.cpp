#include "text/cp949_encoder.h"

#include <gtest/gtest.h>

#include "text/conversions.h"

namespace varnett {
namespace {

// The cached conversion must give what the platform gives for a whole text,
// over every character of the basic plane.
TEST(Cp949Encoder, AgreesWithThePlatformOverTheBasicPlane) {
  std::u16string all;
  for (unsigned c = 1; c <= 0xFFFF; ++c) {
    if (c < 0xD800 || c > 0xDFFF) all.push_back(static_cast<char16_t>(c));
  }
  std::string fast;
  AppendCp949(all, &fast);
  EXPECT_TRUE(fast == Utf16ToCp949(all));
  std::string via_utf8;
  ASSERT_TRUE(AppendCp949FromUtf8(Utf16ToUtf8(all), &via_utf8));
  EXPECT_TRUE(via_utf8 == fast);
  // Character by character too: the cache converts a page at a time and
  // splits the result, and a wrong split would still join up into the right
  // whole text above.
  int wrong = 0;
  for (char16_t c : all) {
    std::string one;
    AppendCp949(std::u16string_view(&c, 1), &one);
    if (one != Utf16ToCp949(std::u16string_view(&c, 1)) && ++wrong <= 5)
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c);
  }
  EXPECT_EQ(wrong, 0);
}

TEST(Cp949Encoder, SurrogatesAndMalformedUtf8) {
  struct Case {
    const char* what;
    std::string utf8;
    bool ok;
    std::string cp949;
  };
  const Case kCases[] = {
      {"pair encoded as two 3-byte sequences", "a\xED\xA0\xBD\xED\xB8\x80z", true, "a??z"},
      {"lone high surrogate", "a\xED\xA0\xBDz", true, "a?z"},
      {"lone high surrogate at the end", "a\xED\xA0\xBD", true, "a?"},
      {"lone low surrogate", "a\xED\xB8\x80z", true, "a?z"},
      // A four-byte sequence is read as a three-byte one and a stray byte.
      {"four-byte sequence", "a\xF0\x9F\x98\x80", false, ""},
      {"bad continuation", "\xEC\x41\x42", false, ""},
      {"cut off", "\xEC\x84", false, ""},
      {"overlong two-byte form of 'A'", "\xC1\x81", true, "A"},
  };
  for (const Case& c : kCases) {
    std::string out = "keep";
    EXPECT_EQ(AppendCp949FromUtf8(c.utf8, &out), c.ok) << c.what;
    EXPECT_EQ(out, "keep" + c.cp949) << c.what;
  }
  std::string out;
  AppendCp949(std::u16string(u"a\U0001F600z") + char16_t(0xDC00), &out);
  EXPECT_EQ(out, "a??z?");
  EXPECT_EQ(out, Utf16ToCp949(std::u16string(u"a\U0001F600z") + char16_t(0xDC00)));
}

}  // namespace
}  // namespace varnett
