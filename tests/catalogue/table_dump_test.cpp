#include "catalogue/table_dump.h"

#include <gtest/gtest.h>

#include "catalogue/game_table.h"
#include "text/conversions.h"
#include "tools/writer/catalogue_writer.h"

namespace varnett {
namespace {

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
      "서든어택\tC:\\SA\t";
  for (int i = 3; i < 20; ++i) expected += "\t\\N";
  expected += "\n";
  EXPECT_EQ(DumpVisibleRecords(c.Game_MemTable), expected);
}

// A catalogue as another writer may make it: the revision as a 32-bit
// integer, a field and an index definition, texts as UTF-16, ANSI and broken
// UTF-8, an older version and a deleted record.
TEST(TableDump, StreamFromAnotherWriter) {
  // clang-format off
  const unsigned char kBytes[] = {
      'T', 'P', 'F', '0',                         // signature
      0x04, 0xFB, 0x00, 0x00, 0x00,               // revision 251, 32-bit
      0x01,                                       // field definitions
      0x06, 4, 'G', 'a', 'm', 'e',                //   name
      0x06, 6, 'S', 't', 'r', 'i', 'n', 'g',      //   type
      0x02, 50,                                   //   size
      0x0C, 4, 0, 0, 0, 'G', 'a', 'm', 'e',       //   display label, a long text
      0x06, 0,                                    //   edit mask
      0x03, 50, 0,                                //   display width, 16-bit
      0x08, 0x08,                                 //   required, read-only
      0x06, 4, 'D', 'a', 't', 'a',                //   kind
      0x06, 0,                                    //   default expression
      0x00,                                       // end of field definitions
      0x01,                                       // index definitions
      0x06, 14, 'M', 'e', 'm', 'T', 'a', 'b', 'l', 'e', 'I', 'n', 'd', 'e', 'x', '1',
      0x06, 4, 'G', 'a', 'm', 'e',                //   fields
      0x06, 0,                                    //   display name
      0x09, 0x08, 0x08, 0x08,                     //   descending, case-insensitive, ...
      0x00,                                       // end of index definitions
      0x01,                                       // records
      0x01,                                       //   record 1
      0x02, 0x01,                                 //     status: modified
      0x08, 0x12, 2, 0, 0, 0, 0x1C, 0xC1, 0xB8, 0xC6,      // Game: UTF-16 "서울"
      0x08, 0x0C, 5, 0, 0, 0, 'C', ':', '\\', 0xBC, 0xAD,  // MPath: ANSI "C:\서"
      0x08, 0x06, 3, 'a', '\t', 'b',              //     DPath: "a", a tab, "b"
      0x08, 0x14, 2, 0, 0, 0, 0xEC, 0x41,         //     Root: broken UTF-8
      0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09,  // fields 4 to 11 null
      0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09,  // fields 12 to 19 null
      0x02, 0x00,                                 //     older version, unmodified
      0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09,  // 20 nulls
      0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09,
      0x00,                                       //   end of record 1
      0x01, 0x02, 0x03,                           //   record 2, deleted
      0x08, 0x06, 1, 'x',                         //     Game
      0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09,  // 19 nulls
      0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09,
      0x00,                                       //   end of record 2
      0x00,                                       // end of records
  };
  // clang-format on
  GameCatalogue c;
  MemoryStream stream(std::string(reinterpret_cast<const char*>(kBytes), sizeof kBytes));
  c.Game_MemTable.LoadRecordsFromStream(stream);
  EXPECT_EQ(c.Game_MemTable.RecordCount(), 2u);
  std::string dump = DumpVisibleRecords(c.Game_MemTable);
  // Root is empty, not null: its broken UTF-8 became the empty text.
  std::string expected = "서울\tC:\\서\ta\\tb\t";
  for (int i = 4; i < 20; ++i) expected += "\t\\N";
  EXPECT_EQ(dump.substr(dump.find('\n') + 1), expected + "\n");
}

}  // namespace
}  // namespace varnett
