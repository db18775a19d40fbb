// Which paths the system is given exactly as they stand. Both builds run the
// table: natively against iconv's CP949 tables, under Wine against the
// system's own code page 949.
#include "text/system_path.h"

#include <gtest/gtest.h>

#include "text/conversions.h"

namespace varnett {
namespace {

TEST(IsExactSystemPath, OnlyPathsThatSurviveTheConversion) {
  struct Case {
    const char* what;
    std::string path;
    bool exact;
  };
  const Case kCases[] = {
      {"ASCII", "C:\\Tools\\Varnett.exe.log", true},
      {"Hangul", Ko("D:\\게임\\서든어택\\gvi.dat"), true},
      {"extended Hangul, a trail byte with a letter's value", Ko("C:\\똠\\x"), true},
      {"a \"*\" pattern", "C:\\Docs\\screenshot\\*.*", true},
      {"a character outside CP949", Utf8ToCp949("C:\\\xE0\xB8\x81\\Varnett.exe"), false},
      {"one beyond the basic plane", Utf8ToCp949("C:\\x\xF0\x9F\x98\x80.exe"), false},
      {"the system's own ANSI answer", "C:\\caf?\\Varnett.exe", false},
      {"a lead byte cut off", "C:\\x\xB0", false},
      {"a lead byte before a byte that cannot follow it", "C:\\\xB0 z", false},
  };
  for (const Case& c : kCases) EXPECT_EQ(IsExactSystemPath(c.path), c.exact) << c.what;
}

}  // namespace
}  // namespace varnett
