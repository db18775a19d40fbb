// The text rules under every registry value: the blank test and the folder
// normalisation with its double-byte aware scan.
#include <gtest/gtest.h>

#include "locator/blank.h"
#include "locator/path_parts.h"
#include "locator/registry_values.h"
#include "platform/text.h"

namespace varnett {
namespace {

TEST(Blank, OnlyBytesUpToSpaceCount) {
  EXPECT_TRUE(IsBlank(""));
  EXPECT_TRUE(IsBlank(std::string(" \t\r\n\0\x1f ", 7)));
  EXPECT_FALSE(IsBlank(" x "));
  EXPECT_FALSE(IsBlank("\x7f"));
  EXPECT_FALSE(IsBlank("\xA0"));  // a high byte is text, not space
  EXPECT_FALSE(IsBlank(Ko("  가  ")));
}

// 0x81 0x5C: a lead byte whose second byte has the value of "\". The scan
// must step over it as one character.
const std::string kLead5C = "\x81\x5C";

TEST(PathParts, ExtensionAndFolderFollowCharactersNotBytes) {
  struct Case {
    std::string path, ext, folder;
  } cases[] = {
      {"C:\\Games\\sa.exe", ".exe", "C:\\Games\\"},
      {"C:\\Games.v2\\sa", "", "C:\\Games.v2\\"},
      {"sa.exe", ".exe", ""},
      {"C:sa.exe", ".exe", "C:"},
      {"plain", "", ""},
      {"C:\\Game.d" + kLead5C + "x", ".d" + kLead5C + "x", "C:\\"},
      {"C:\\a" + kLead5C, "", "C:\\"},
      {"C:\\a\\b\x81", "", "C:\\a\\"},  // a lead byte cut off at the end
      {Ko("C:\\게임\\서든어택\\실행.exe"), ".exe", Ko("C:\\게임\\서든어택\\")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
    EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
  }
}

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
