#include "actions/replace_occurrences.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_text_case.h"

namespace varnett {
namespace {

UpperCaseMap Map() {
  SimTextCase text_case;
  return BuildUpperCaseMap(text_case);
}

TEST(ReplaceOccurrences, Cases) {
  const UpperCaseMap map = Map();
  struct Case {
    std::string source, find, replacement;
    bool case_sensitive;
    std::string expected;
  };
  const std::string letters = "ZYXWVUTSRQPONMLKJIHGFEDCBA";
  const Case cases[] = {
      {letters, "y", "", false, "ZXWVUTSRQPONMLKJIHGFEDCBA"},
      {letters, "y", "", true, letters},
      {letters, "Z", "", true, "YXWVUTSRQPONMLKJIHGFEDCBA"},
      {letters, "A", "", false, "ZYXWVUTSRQPONMLKJIHGFEDCB"},
      {"aaaa", "aa", "a", true, "aa"},  // matches never overlap
      {"aaa", "aa", "b", true, "ba"},
      {"abcabc", "bc", "XYZW", true, "aXYZWaXYZW"},  // longer replacement
      {"aXbxc", "x", "--", false, "a--b--c"},
      {"abAB", "Ab", "", false, ""},
      {"abc", "abcd", "", true, "abc"},  // find longer than the text
      {"", "a", "b", true, ""},
      {"abc", "", "z", true, "abc"},
      // A shift from the table skips over a partial match correctly.
      {"xxabxabcab", "abc", "#", true, "xxabx#ab"},
      // Replaced text is not searched again.
      {"ab", "a", "aa", true, "aab"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReplaceOccurrences(c.source, c.find, c.replacement, c.case_sensitive, map),
              c.expected)
        << c.source << " / " << c.find;
}

TEST(ReplaceOccurrences, DoubleByteTextIsComparedBytewise) {
  const UpperCaseMap map = Map();
  // "가나" in CP949 with an ASCII "a" between; the letter is replaced only.
  const std::string text =
      "\xB0\xA1"
      "a"
      "\xB3\xAA";
  EXPECT_EQ(ReplaceOccurrences(text, "A", "_", false, map), "\xB0\xA1_\xB3\xAA");
  EXPECT_EQ(ReplaceOccurrences(text, "\xB3\xAA", "", true, map),
            "\xB0\xA1"
            "a");
}

TEST(ReplaceOccurrences, LargeTextAgainstNaiveReplace) {
  const UpperCaseMap map = Map();
  std::string source;
  for (int i = 0; i < 20000; ++i) source += "ab" + std::string(i % 5, 'c');
  std::string expected;
  for (size_t i = 0; i < source.size();) {
    if (source.compare(i, 3, "abc") == 0) {
      expected += "<long replacement>";
      i += 3;
    } else {
      expected += source[i++];
    }
  }
  EXPECT_EQ(ReplaceOccurrences(source, "abc", "<long replacement>", true, map), expected);
}

}  // namespace
}  // namespace varnett
