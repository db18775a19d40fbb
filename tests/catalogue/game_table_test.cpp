// The game catalogue table as the install locator uses it: empty, load,
// walk the visible records, read values by field name.
#include "catalogue/game_table.h"

#include <gtest/gtest.h>

#include "catalogue/errors.h"
#include "tests/support/error_message.h"
#include "text/conversions.h"
#include "tools/writer/catalogue_writer.h"

namespace varnett {
namespace {

const std::string kNetmarble = Ko("서든어택");
const std::string kNexon = Ko("넥슨서든어택");

struct Catalogue {
  GameCatalogue c;
  TMemTable& table = c.table;

  void Load(const std::string& bytes) {
    MemoryStream stream(bytes);
    table.LoadRecordsFromStream(stream);
  }
  void Reload(const std::string& bytes) {
    table.ClearRecords();
    Load(bytes);
  }
  // The scan the locator makes: first visible record whose Game equals the
  // key. The comparison in place agrees with the value read out.
  bool Find(const std::string& key) {
    const TField& game = table.FieldNamed("Game");
    for (table.MoveFirst(); !table.AtEnd(); table.MoveNext()) {
      const bool equal = table.AsText(game) == key;
      EXPECT_EQ(table.TextEquals(game, key), equal) << key;
      if (equal) return true;
    }
    return false;
  }
  std::string Value(const char* name) { return table.AsText(table.FieldNamed(name)); }
  // Game values of the visible records in cursor order.
  std::vector<std::string> VisibleGames() {
    std::vector<std::string> out;
    for (table.MoveFirst(); !table.AtEnd(); table.MoveNext()) out.push_back(Value("Game"));
    return out;
  }
};

TEST(GameTable, TwentyStringFieldsInStreamOrder) {
  GameCatalogue c;
  const auto& fields = c.table.Fields();
  ASSERT_EQ(fields.size(), 20u);
  EXPECT_EQ(fields[0].FieldName, "Game");
  EXPECT_EQ(fields[0].Size, 50);
  EXPECT_EQ(fields[0].FieldKind, fkData);
  EXPECT_EQ(fields[7].FieldName, "InsRPath");
  EXPECT_EQ(fields[19].FieldName, "Expireday");
  EXPECT_EQ(fields[19].FieldKind, fkCalculated);
  for (const TField& f : fields) EXPECT_EQ(f.DataType, ftString);
  EXPECT_EQ(c.format.LoadFromStart, false);
}

TEST(GameTable, EditionRecordsAreFoundByExactName) {
  Catalogue t;
  t.Load(WriteGameCatalogue({
      GameRecord({{"Game", kNetmarble + " "}, {"MPath", "C:\\blank"}}),
      GameRecord({{"Game", kNetmarble}, {"MPath", "C:\\deleted"}}, usDeleted),
      GameRecord({{"Game", kNexon}, {"MPath", "C:\\Nexon"}, {"PRPath", "SOFTWARE\\Nexon"}}),
      GameRecord({{"Game", kNetmarble},
                  {"MPath", "C:\\first"},
                  {"DPath", std::string(300, 'd')},
                  {"InsRPath", Ko("소프트웨어\\넷마블")}}),
      GameRecord({{"Game", kNetmarble}, {"MPath", "C:\\second"}}),
  }));
  ASSERT_TRUE(t.Find(kNetmarble));
  EXPECT_EQ(t.Value("MPath"), "C:\\first");
  EXPECT_EQ(t.Value("DPath"), std::string(255, 'd'));  // cut at Size
  EXPECT_EQ(t.Value("InsRPath"), Ko("소프트웨어\\넷마블"));
  EXPECT_EQ(t.Value("PRPath"), "");  // null reads as empty

  ASSERT_TRUE(t.Find(kNexon));
  EXPECT_EQ(t.Value("MPath"), "C:\\Nexon");
  EXPECT_EQ(t.Value("PRPath"), "SOFTWARE\\Nexon");
  EXPECT_FALSE(t.Find(Ko("서든")));
}

TEST(GameTable, StoringCutsAtNulThenAtSize) {
  struct Case {
    const char* what;
    std::string game;  // as written (CP949, the writer turns it into UTF-8)
    std::string stored;
  };
  const std::string k60 = std::string(60, 'g');
  // 26 two-byte characters: the cut after 50 bytes falls between characters;
  // with one ASCII byte in front it splits the 25th character.
  std::string hangul;
  for (int i = 0; i < 26; ++i) hangul += Ko("가");
  const Case kCases[] = {
      {"60 bytes", k60, k60.substr(0, 50)},
      {"NUL inside", std::string("ab\0cd", 5), "ab"},
      {"NUL first", std::string("\0cd", 3), ""},
      {"Hangul cut between characters", hangul, hangul.substr(0, 50)},
      {"Hangul cut inside a character", "x" + hangul, ("x" + hangul).substr(0, 50)},
  };
  for (const Case& c : kCases) {
    Catalogue t;
    t.Load(WriteGameCatalogue({GameRecord({{"Game", c.game}})}));
    t.table.MoveFirst();
    EXPECT_EQ(t.Value("Game"), c.stored) << c.what;
    EXPECT_FALSE(t.table.IsNull(t.table.FieldNamed("Game"))) << c.what;
  }
}

TEST(GameTable, Utf8GameNameMatchesTheCp949Key) {
  // "서든어택" as the writer stores it: 12 bytes of UTF-8 with tag 0x14.
  std::string stream = WriteGameCatalogue({GameRecord({{"Game", kNetmarble}})});
  ASSERT_NE(stream.find(std::string("\x14\x0C\x00\x00\x00\xEC\x84\x9C", 8)), std::string::npos);
  Catalogue t;
  t.Load(stream);
  ASSERT_TRUE(t.Find(kNetmarble));
  EXPECT_EQ(t.Value("Game").size(), 8u);
}

TEST(GameTable, NullAndEmptyDiffer) {
  Catalogue t;
  t.Load(WriteGameCatalogue({GameRecord({{"Game", "g"}, {"MPath", ""}})}));
  t.table.MoveFirst();
  EXPECT_FALSE(t.table.IsNull(t.table.FieldNamed("MPath")));
  EXPECT_TRUE(t.table.IsNull(t.table.FieldNamed("DPath")));
  EXPECT_EQ(t.Value("MPath"), "");
  EXPECT_EQ(t.Value("DPath"), "");
  // A null or empty name is the empty text to the scan.
  for (const auto& record : {GameRecord({{"MPath", "x"}}), GameRecord({{"Game", ""}})}) {
    t.Reload(WriteGameCatalogue({record, GameRecord({{"Game", "g"}})}));
    EXPECT_TRUE(t.Find(""));
    EXPECT_TRUE(t.Find("g"));
    EXPECT_FALSE(t.Find("h"));
  }
}

TEST(GameTable, CursorSkipsDeletedAndOlderVersions) {
  StreamRecord two_versions = GameRecord({{"Game", "new"}});
  two_versions.versions.push_back(GameVersion({{"Game", "old"}}, usModified));
  Catalogue t;
  t.Load(WriteGameCatalogue({
      GameRecord({{"Game", "gone"}}, usDeleted),
      two_versions,
      GameRecord({{"Game", "inserted"}}, usInserted),
      GameRecord({{"Game", "gone too"}}, usDeleted),
  }));
  EXPECT_EQ(t.VisibleGames(), (std::vector<std::string>{"new", "inserted"}));
  EXPECT_EQ(t.table.RecordCount(), 4u);
  EXPECT_EQ(t.table.DeletedCount(), 2u);
  ASSERT_TRUE(t.table.RecordAt(1).Older().has_value());
  EXPECT_EQ(t.table.RecordAt(1).Older()->Value(0), "old");

  // MoveNext at the end stays on the last visible record.
  t.table.MoveFirst();
  t.table.MoveNext();
  t.table.MoveNext();
  EXPECT_TRUE(t.table.AtEnd());
  EXPECT_EQ(t.Value("Game"), "inserted");
}

TEST(GameTable, EmptyAndOnlyDeleted) {
  Catalogue t;
  t.Load(WriteGameCatalogue({}));
  t.table.MoveFirst();
  EXPECT_TRUE(t.table.AtEnd());
  EXPECT_FALSE(t.Find(kNetmarble));
  t.Reload(WriteGameCatalogue({GameRecord({{"Game", kNetmarble}}, usDeleted)}));
  t.table.MoveFirst();
  EXPECT_TRUE(t.table.AtEnd());
}

TEST(GameTable, LoadsAppendUntilCleared) {
  Catalogue t;
  const std::string a =
      WriteGameCatalogue({GameRecord({{"Game", "a1"}}), GameRecord({{"Game", "a2"}})});
  const std::string b = WriteGameCatalogue({GameRecord({{"Game", "b1"}})});
  t.Load(a);
  t.Load(b);
  EXPECT_EQ(t.VisibleGames(), (std::vector<std::string>{"a1", "a2", "b1"}));
  EXPECT_EQ(t.table.RecordAt(2).RecordNo(), 2u);

  t.table.ClearRecords();
  EXPECT_TRUE(t.table.AtEnd());
  EXPECT_EQ(t.table.RecordCount(), 0u);
  t.Load(b);
  EXPECT_EQ(t.VisibleGames(), (std::vector<std::string>{"b1"}));
  EXPECT_EQ(t.table.RecordAt(0).RecordNo(), 0u);
  EXPECT_EQ(t.table.RecordAt(0).UniqueRecordNo(), 0u);
}

// The table keeps the loaded bytes as they were, whatever becomes of the
// stream afterwards.
TEST(GameTable, ValuesOutliveChangesToTheSource) {
  Catalogue t;
  MemoryStream stream(WriteGameCatalogue({GameRecord({{"Game", "kept"}, {"MPath", "C:\\G"}})}));
  t.table.LoadRecordsFromStream(stream);
  stream.Seek(0);
  stream.Write(std::string(stream.Size(), 'x'));
  stream.Clear();
  ASSERT_TRUE(t.Find("kept"));
  EXPECT_EQ(t.Value("MPath"), "C:\\G");
}

// Null records are the smallest a stream holds (24 bytes each here); what the
// table holds for them, the stream's bytes included, stays within twice the
// stream, as it does for ordinary records.
TEST(GameTable, MemoryHeldIsBoundedByTheStream) {
  struct Case {
    const char* what;
    StreamRecord record;
  };
  for (const Case& c : {Case{"null", GameRecord({})},
                        Case{"filled", GameRecord({{"Game", "Game name"},
                                                   {"MPath", "C:\\Games\\Some game"},
                                                   {"DPath", "D:\\Games\\Some game"}})}}) {
    constexpr size_t kRecords = 50000;
    const std::string bytes = WriteGameCatalogue(std::vector<StreamRecord>(kRecords, c.record));
    Catalogue t;
    t.Load(bytes);
    ASSERT_EQ(t.table.RecordCount(), kRecords) << c.what;
    EXPECT_LE(t.table.BytesHeld(), 2 * bytes.size()) << c.what;
    t.table.ClearRecords();
    EXPECT_EQ(t.table.BytesHeld(), 0u) << c.what;
  }
}

TEST(GameTable, FieldNamedIgnoresCase) {
  GameCatalogue c;
  EXPECT_EQ(c.table.FieldNamed("mpath").FieldName, "MPath");
  EXPECT_EQ(c.table.FieldNamed("INSRPATH").Index, 7);
  EXPECT_EQ(ErrorMessage<EDatabaseError>([&] { c.table.FieldNamed("Path"); }),
            "Game_MemTable: Field 'Path' not found");
}

// With one value missing the record's end marker is taken as the last null
// flag; with one too many the surplus stands where an older version's status
// is due. Both fail, and the records before stay.
TEST(GameTable, NineteenOrTwentyOneValuesFail) {
  for (size_t count : {19u, 21u}) {
    std::vector<StreamField> fields = GameStreamFields();
    fields.resize(count, StreamField("Extra"));
    StreamVersion bad = GameVersion({{"Game", "bad"}});
    bad.values.resize(count, std::string("v"));
    std::string good = WriteGameCatalogue({GameRecord({{"Game", "good"}})});
    // The bad record's bytes, after the 11 bytes of signature, revision and
    // the two empty definition lists, put behind a good record.
    std::string bad_stream = WriteTableStream(fields, {{{bad}}});
    std::string bad_record = bad_stream.substr(11, bad_stream.size() - 12);
    std::string with_bad = good.substr(0, good.size() - 1) + bad_record + std::string(1, '\0');
    Catalogue t;
    EXPECT_EQ(ErrorMessage<EReadError>([&] { t.Load(with_bad); }), "Invalid property value")
        << count;
    EXPECT_EQ(t.VisibleGames(), (std::vector<std::string>{"good"})) << count;
    // The table works normally afterwards.
    t.Reload(good);
    EXPECT_EQ(t.VisibleGames(), (std::vector<std::string>{"good"}));
  }
}

TEST(GameTable, CutInTheThirdRecordKeepsTwo) {
  std::vector<StreamRecord> records;
  for (const char* g : {"one", "two", "three"}) records.push_back(GameRecord({{"Game", g}}));
  std::string stream = WriteGameCatalogue(records);
  size_t third = stream.find("three");
  ASSERT_NE(third, std::string::npos);
  Catalogue t;
  EXPECT_EQ(ErrorMessage<EReadError>([&] { t.Load(stream.substr(0, third + 10)); }),
            "Stream read error");
  EXPECT_EQ(t.VisibleGames(), (std::vector<std::string>{"one", "two"}));
}

TEST(GameTable, NoFormatSpecified) {
  TMemTable table("Game_MemTable", GameFields());
  MemoryStream stream(WriteGameCatalogue({}));
  EXPECT_EQ(ErrorMessage<EMemTableError>([&] { table.LoadRecordsFromStream(stream); }),
            "No format specified.");
}

}  // namespace
}  // namespace varnett
