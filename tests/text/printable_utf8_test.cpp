// CP949 printed as UTF-8: a character where the bytes make one, \xHH for
// every byte that does not.
#include "text/printable_utf8.h"

#include <gtest/gtest.h>

#include "text/conversions.h"

namespace varnett {
namespace {

TEST(PrintableUtf8, EscapesAndInvalidBytes) {
  struct Case {
    std::string cp949;
    std::string printed;
  };
  const Case kCases[] = {
      {"C:\\Games\tx\r\n", "C:\\Games\\tx\\r\\n"},  // a path's backslashes single
      {Ko("서든어택"), "서든어택"},
      {Ko("똠"), "똠"},             // CP949's extended Hangul
      {"\x80\xFF", "\\x80\\xFF"},   // never a CP949 byte
      {"a\xB0", "a\\xB0"},          // lead byte at the end
      {"\xB0 z", "\\xB0 z"},        // lead byte before a non-trail
      {"\xC9\xA1", "\\xC9\\xA1"},   // user-defined area: no character
      {"\xA2\xE8", "\\xA2\\xE8"},   // unassigned pair
      {"\xB0\xB0\xA1", "같\\xA1"},  // a character, then a stray byte
      {"\x01", "\x01"},             // other control characters as they are
  };
  for (const Case& c : kCases) EXPECT_EQ(EscapedUtf8(c.cp949), c.printed) << c.printed;
  // Messages keep backslashes and tabs and only break no line.
  EXPECT_EQ(OneLineUtf8(Ko("가") + "C:\\x\ty\r\n\xB0"), "가C:\\x\ty\\r\\n\\xB0");
}

}  // namespace
}  // namespace varnett
