#include "text/command_line.h"

#include <gtest/gtest.h>

namespace varnett {
namespace {

TEST(QuotedArgument, ReadsBackAsTheProgramSplitsItsCommandLine) {
  struct Case {
    const char* text;
    const char* quoted;
  } cases[] = {
      {"C:\\Games\\SuddenAttack", "\"C:\\Games\\SuddenAttack\""},
      // The closing backslash would escape the quote: subst would be given
      // C:\Games\SuddenAttack" and fail.
      {"C:\\Games\\SuddenAttack\\", "\"C:\\Games\\SuddenAttack\\\\\""},
      {"C:\\", "\"C:\\\\\""},
      {"\\\\server\\share\\\\", "\"\\\\server\\share\\\\\\\\\""},
      {"C:\\Program Files\\Sudden Attack", "\"C:\\Program Files\\Sudden Attack\""},
      {"", "\"\""},
      // Backslashes inside stay single; a quote is escaped after its run.
      {"a\\\\b", "\"a\\\\b\""},
      {"a\"b", "\"a\\\"b\""},
      {"a\\\"b", "\"a\\\\\\\"b\""},
      // A double-byte character whose second byte is 0x5C ends the text: it
      // is no backslash, so nothing is doubled.
      {"C:\\\x95\x5C", "\"C:\\\x95\x5C\""},
      {"C:\\\x95\x5C\\", "\"C:\\\x95\x5C\\\\\""},
  };
  for (const Case& c : cases) EXPECT_EQ(QuotedArgument(c.text), c.quoted) << c.text;
}

}  // namespace
}  // namespace varnett
