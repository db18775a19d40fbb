// The folder normalisation of registry values, with its double-byte aware
// extension test and its byte-wise trailing "\" test.
#include <gtest/gtest.h>

#include "locator/registry_values.h"
#include "platform/text.h"

namespace varnett {
namespace {

// 0x81 0x5C: a lead byte whose second byte has the value of "\". The scan
// must step over it as one character.
const std::string kLead5C = "\x81\x5C";

TEST(NormaliseFolderValue, FileBecomesItsFolderAndOneTrailingBackslashGoes) {
  struct Case {
    std::string value, expected;
  } cases[] = {
      {"C:\\Nexon\\SuddenAttack\\", "C:\\Nexon\\SuddenAttack"},
      {"C:\\Nexon\\SuddenAttack\\\\", "C:\\Nexon\\SuddenAttack\\"},  // only one goes
      {"C:\\Nexon\\SuddenAttack", "C:\\Nexon\\SuddenAttack"},
      {"C:\\Nexon\\SuddenAttack\\sa.exe", "C:\\Nexon\\SuddenAttack"},
      {"sa.exe", ""},  // a bare file name has no folder
      {"C:\\Games\\SA.v2\\", "C:\\Games\\SA.v2"},
      {"C:\\Games\\SA.v2", "C:\\Games"},   // a dotted name reads as a file
      {"C:\\Games\\SA.", "C:\\Games"},     // a lone "." counts as an extension
      {" C:\\Games\\ ", " C:\\Games\\ "},  // used untrimmed
      {"C:\\", "C:"},
      {"\\", ""},
      {Ko("D:\\게임\\넥슨서든어택\\sa.exe"), Ko("D:\\게임\\넥슨서든어택")},
      // The extension test skips the second byte of a character...
      {"C:\\Game.d" + kLead5C + "x", "C:"},
      // ...but the trailing-byte test does not look at characters.
      {"C:\\Games\\" + kLead5C, "C:\\Games\\\x81"},
  };
  for (const Case& c : cases) EXPECT_EQ(NormaliseFolderValue(c.value), c.expected) << c.value;
}

}  // namespace
}  // namespace varnett
