// One table of conversions, run in the native build (iconv) and in the
// Windows build (code page 949): both must give the same bytes.
#include "text/conversions.h"

#include <gtest/gtest.h>

namespace varnett {
namespace {

struct Case {
  const char* what;
  std::string utf8;
  std::string cp949;
};

const Case kCases[] = {
    {"ASCII", "Varnett Ver2.3", "Varnett Ver2.3"},
    {"Hangul", "\xEC\x84\x9C\xEB\x93\xA0\xEC\x96\xB4\xED\x83\x9D",  // 서든어택
     "\xBC\xAD\xB5\xE7\xBE\xEE\xC5\xC3"},
    {"Hangul only in the extended range",
     "\xEB\x98\xA0",  // 똠 (not in KS X 1001, in CP949's extension)
     "\x8C\x63"},
    {"mixed path", "D:\\\xED\x94\x8C\xEB\xA0\x88\xEC\x9D\xB4\\gvi.dat",  // D:\플레이\gvi.dat
     "D:\\\xC7\xC3\xB7\xB9\xC0\xCC\\gvi.dat"},
    {"outside CP949 (Thai)", "a\xE0\xB8\x81z", "a?z"},
    {"outside CP949 (emoji): one \"?\" per UTF-16 unit", "a\xF0\x9F\x98\x80z", "a??z"},
    {"invalid UTF-8 byte", "a\xFFz", "a?z"},
    {"truncated UTF-8 sequence", "a\xEC\x84z", "a?z"},
    {"empty", "", ""},
};

TEST(TextConversion, Utf8ToCp949) {
  for (const Case& c : kCases) EXPECT_EQ(Utf8ToCp949(c.utf8), c.cp949) << c.what;
}

TEST(TextConversion, Cp949RoundTripsThroughUtf8) {
  for (const Case& c : kCases) {
    if (c.cp949.find('?') != std::string::npos) continue;  // lossy cases
    EXPECT_EQ(Cp949ToUtf8(c.cp949), c.utf8) << c.what;
  }
}

TEST(TextConversion, Utf16OfHangul) {
  EXPECT_EQ(Cp949ToUtf16("\xBC\xAD\xB5\xE7"), std::u16string(u"\uC11C\uB4E0"));
  EXPECT_EQ(Utf16ToCp949(u"\uC11C\uB4E0"), "\xBC\xAD\xB5\xE7");
}

TEST(TextConversion, Utf8Utf16Portable) {
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), std::u16string(u"\U0001F600"));
  EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  // A lone surrogate cannot be written as UTF-8.
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  // An overlong encoding is invalid: each maximal subpart gives one U+FFFD.
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), std::u16string(u"\uFFFD\uFFFD"));
}

}  // namespace
}  // namespace varnett
