// The CP949 text rules, one row per text: how it splits into characters and
// what each rule makes of it. The rows with "\x81\x5C" hold a lead byte whose
// second byte has the value of "\", which a byte scan would take for one.
#include "text/cp949.h"

#include <gtest/gtest.h>

#include "text/conversions.h"

namespace varnett {
namespace {

const std::string kLead5C = "\x81\x5C";

struct Row {
  std::string text;
  bool blank;
  bool ends_in_single_byte;
  std::string folder;  // ExtractFilePath
  std::string ext;     // ExtractFileExt
};

TEST(Cp949Text, RulesFollowCharactersNotBytes) {
  const Row rows[] = {
      {"", true, false, "", ""},
      {std::string(" \t\r\n\0\x1f ", 7), true, true, "", ""},  // codes 0 to 32 only
      {" x ", false, true, "", ""},
      {"\x7f", false, true, "", ""},
      {"\xA0", false, true, "", ""},  // a lead byte cut off stands alone, and is text
      {Ko("  가  "), false, true, "", ""},
      {"C:\\Games\\sa.exe", false, true, "C:\\Games\\", ".exe"},
      {"C:\\Games.v2\\sa", false, true, "C:\\Games.v2\\", ""},
      {"C:\\Games\\", false, true, "C:\\Games\\", ""},
      {"sa.exe", false, true, "", ".exe"},
      {"C:sa.exe", false, true, "C:", ".exe"},
      {"plain", false, true, "", ""},
      {"C:\\Game.d" + kLead5C + "x", false, true, "C:\\", ".d" + kLead5C + "x"},
      {"C:\\a" + kLead5C, false, false, "C:\\", ""},
      {"C:\\a\\b\x81", false, true, "C:\\a\\", ""},
      {"\x81\x81\x5C", false, true, "\x81\x81\x5C", ""},  // the pair, then "\"
      {Ko("C:\\게임\\서든어택\\실행.exe"), false, true, Ko("C:\\게임\\서든어택\\"), ".exe"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::PrintToString(r.text));
    EXPECT_EQ(IsBlank(r.text), r.blank);
    EXPECT_EQ(EndsInSingleByte(r.text), r.ends_in_single_byte);
    EXPECT_EQ(ExtractFilePath(r.text), r.folder);
    EXPECT_EQ(FileNameStart(r.text), r.folder.size());
    EXPECT_EQ(ExtractFileExt(r.text), r.ext);
  }
}

TEST(Cp949Text, RelativeUnlessItStartsAtADriveOrARoot) {
  for (const char* path : {"", "sa.exe", "Games\\sa.exe", "1:\\x", ".\\x"})
    EXPECT_TRUE(IsRelativeToCurrentFolder(path)) << path;
  for (const char* path : {"C:\\Games", "c:", "C:sa.exe", "\\Games", "/Games", "\\\\server\\share"})
    EXPECT_FALSE(IsRelativeToCurrentFolder(path)) << path;
}

TEST(Cp949Text, AsciiCaseTouchesOnlyAsciiLetters) {
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  const std::string upper = AsciiUpperCase(all);
  for (int i = 0; i < 256; ++i) {
    const bool lower_letter = i >= 'a' && i <= 'z', upper_letter = i >= 'A' && i <= 'Z';
    EXPECT_EQ(static_cast<unsigned char>(upper[i]), lower_letter ? i - 32 : i) << i;
    EXPECT_EQ(static_cast<unsigned char>(AsciiLower(all[i])), upper_letter ? i + 32 : i) << i;
  }
  EXPECT_TRUE(SameTextIgnoringAsciiCase("Game.DAT", "gAME.dat"));
  EXPECT_FALSE(SameTextIgnoringAsciiCase("Game.dat", "Game.da"));
  EXPECT_FALSE(SameTextIgnoringAsciiCase("\xB0\xA1", "\xB0\x81"));  // not a letter beyond ASCII
  EXPECT_FALSE(SameTextIgnoringAsciiCase("[", "{"));  // "[" is "{" minus 32, not a letter
  // A trail byte with a letter's value is part of its character.
  EXPECT_EQ(AsciiUpperCase("a\x81\x61z\x81"), "A\x81\x61Z\x81");
  EXPECT_FALSE(SameTextIgnoringAsciiCase("\x81\x61", "\x81\x41"));
  EXPECT_TRUE(SameTextIgnoringAsciiCase("\x81\x61x", "\x81\x61X"));
}

}  // namespace
}  // namespace varnett
