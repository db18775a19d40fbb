#include "catalogue/table_dump.h"

#include <gtest/gtest.h>

#include "catalogue/game_table.h"
#include "platform/text.h"
#include "tools/writer/catalogue_writer.h"

namespace varnett {
namespace {

TEST(TableDump, EscapesAndInvalidBytes) {
  struct Case {
    std::string cp949;
    std::string printed;
  };
  const Case kCases[] = {
      {"C:\\Games\tx\r\n", "C:\\\\Games\\tx\\r\\n"},
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
}

TEST(TableDump, VisibleRecordsWithNulls) {
  GameCatalogue c;
  MemoryStream stream(WriteGameCatalogue({
      GameRecord({{"Game", Ko("서든어택")}, {"MPath", "C:\\SA"}, {"DPath", ""}}),
      GameRecord({{"Game", "deleted"}}, 3),
  }));
  c.Game_MemTable.LoadRecordsFromStream(stream);
  std::string expected =
      "Game\tMPath\tDPath\tRoot\tPRPath\tPSub\tInsRoot\tInsRPath\tInsRName\tAddFPath\tAddFSub\t"
      "Prog\tIcon\tDGenre\tGGenre\tRank\tPDay\tPScript\tPatch\tExpireday\n"
      "서든어택\tC:\\\\SA\t";
  for (int i = 3; i < 20; ++i) expected += "\t\\N";
  expected += "\n";
  EXPECT_EQ(DumpVisibleRecords(c.Game_MemTable), expected);
}

}  // namespace
}  // namespace varnett
