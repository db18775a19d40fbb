// The table stream reader against a small table of every value kind.
#include "catalogue/table_stream.h"

#include <gtest/gtest.h>

#include <cmath>

#include "catalogue/errors.h"
#include "catalogue/mem_table.h"
#include "tests/support/error_message.h"
#include "text/conversions.h"
#include "tools/writer/table_stream_writer.h"

namespace varnett {
namespace {

std::vector<TField> TypedFields() {
  std::vector<TField> fields(8);
  fields[0] = {"Name", ftString, 10};
  fields[1] = {"Count", ftInteger};
  fields[2] = {"Active", ftBoolean};
  fields[3] = {"Ratio", ftFloat};
  fields[4] = {"Price", ftCurrency};
  fields[5] = {"Since", ftDate};
  fields[6] = {"Big", ftLargeint};
  fields[7] = {"Note", ftMemo};
  return fields;
}

std::vector<StreamField> StreamFieldsOf(const std::vector<TField>& fields) {
  std::vector<StreamField> out;
  for (const TField& f : fields) out.push_back({f.FieldName, f.DataType, f.Size, f.FieldKind});
  return out;
}

StreamVersion TypedVersion(std::string name, int64_t count, bool active, long double ratio,
                           long double price, long double since, int64_t big, std::string note,
                           uint8_t status = 0) {
  return {status, {name, count, active, ratio, price, since, big, note}};
}

const std::vector<StreamRecord> kTypedRecords = {
    {{TypedVersion("alpha", 7, true, 0.25L, 12.5L, 45000.5L, (int64_t{1} << 62) + 1, "n1")}},
    {{TypedVersion("beta", -40000, false, -1e300L, -0.0001L, 1.0L, -5, ""),
      TypedVersion("beta-old", 1, true, 2, 3, 4, 5, "old", 1)}},
    {{TypedVersion("gamma", 300, true, 1e-310L, 922337203685477.5807L, 36526.25L, INT64_MIN,
                   std::string(300, 'x'))}},
};

struct Loaded {
  TMemTable table{"T", TypedFields()};
  TBinaryStreamFormat format;
  MemoryStream source;

  explicit Loaded(std::string bytes) : source(std::move(bytes)) {}
  void Load() { ReadTableStream(&format, table, source); }
  const TField& F(const char* name) const { return table.FieldNamed(name); }
};

TEST(TableStream, EmptyRevision251StreamAddsNothing) {
  const unsigned char kBytes[] = {
      0x54, 0x50, 0x46, 0x30,  // "TPF0"
      0x03, 0xFB, 0x00,        // revision 251 as a 16-bit integer
      0x01, 0x00,              // field definitions: none
      0x01, 0x00,              // index definitions: none
      0x01, 0x00,              // records: none
  };
  Loaded t(std::string(reinterpret_cast<const char*>(kBytes), sizeof kBytes));
  t.Load();
  EXPECT_EQ(t.table.RecordCount(), 0u);
  EXPECT_EQ(t.source.Position(), sizeof kBytes);
}

TEST(TableStream, OneRecordFromAnnotatedBytes) {
  TMemTable table("T", {{"Name", ftString, 4}, {"Count", ftSmallint}, {"Ratio", ftFloat}});
  const unsigned char kBytes[] = {
      0x54, 0x50, 0x46, 0x30,                            // "TPF0"
      0x04, 0xFB, 0x00, 0x00, 0x00,                      // revision 251 as a 32-bit integer
      0x01, 0x00,                                        // field definitions
      0x01, 0x00,                                        // index definitions
      0x01,                                              // records
      0x01,                                              //   record
      0x02, 0x02,                                        //     update status 2 (inserted)
      0x08, 0x06, 0x06, 'a',  'b',  'c', 'd', 'e', 'f',  //     Name: not null, "abcdef"
      0x08, 0x03, 0x18, 0xFC,                            //     Count: not null, -1000
      0x08, 0x02, 0xFF,                                  //     Ratio: not null, -1 (as integer)
      0x00,                                              //   end of record
      0x00,                                              // end of records
      0xDE, 0xAD,                                        // trailing bytes, ignored
  };
  MemoryStream source(std::string(reinterpret_cast<const char*>(kBytes), sizeof kBytes));
  TBinaryStreamFormat format;
  ReadTableStream(&format, table, source);
  ASSERT_EQ(table.RecordCount(), 1u);
  table.MoveFirst();
  EXPECT_EQ(table.AsText(table.FieldNamed("Name")), "abcd");  // cut at Size
  EXPECT_EQ(table.AsInteger(table.FieldNamed("Count")), -1000);
  EXPECT_EQ(table.AsFloat(table.FieldNamed("Ratio")), -1.0);
  EXPECT_EQ(table.RecordAt(0).Status(), usInserted);
  EXPECT_EQ(source.Position(), sizeof kBytes - 2);  // just past the end marker
}

void ExpectTypedRecords(Loaded& t) {
  ASSERT_EQ(t.table.RecordCount(), 3u);
  TMemTable& table = t.table;
  table.MoveFirst();
  EXPECT_EQ(table.AsText(t.F("Name")), "alpha");
  EXPECT_EQ(table.AsInteger(t.F("Count")), 7);
  EXPECT_TRUE(table.AsBoolean(t.F("Active")));
  EXPECT_EQ(table.AsFloat(t.F("Ratio")), 0.25);
  EXPECT_EQ(table.AsCurrencyUnits(t.F("Price")), 125000);
  EXPECT_EQ(table.AsFloat(t.F("Since")), 45000.5);
  EXPECT_EQ(table.AsLargeint(t.F("Big")), (int64_t{1} << 62) + 1);  // needs all 64 bits
  EXPECT_EQ(table.AsText(t.F("Note")), "n1");

  table.MoveNext();
  EXPECT_EQ(table.AsText(t.F("Name")), "beta");
  EXPECT_EQ(table.AsInteger(t.F("Count")), -40000);
  EXPECT_FALSE(table.AsBoolean(t.F("Active")));
  EXPECT_EQ(table.AsFloat(t.F("Ratio")), -1e300);
  EXPECT_EQ(table.AsCurrencyUnits(t.F("Price")), -1);
  EXPECT_EQ(table.AsText(t.F("Note")), "");
  EXPECT_FALSE(table.IsNull(t.F("Note")));  // empty, not null

  table.MoveNext();
  EXPECT_EQ(table.AsText(t.F("Name")), "gamma");
  EXPECT_EQ(table.AsFloat(t.F("Ratio")), 1e-310);  // a double denormal
  EXPECT_EQ(table.AsCurrencyUnits(t.F("Price")), INT64_MAX);
  EXPECT_EQ(table.AsText(t.F("Price")), "922337203685477.5807");
  EXPECT_EQ(table.AsFloat(t.F("Since")), 36526.25);
  EXPECT_EQ(table.AsLargeint(t.F("Big")), INT64_MIN);
  EXPECT_EQ(table.AsText(t.F("Note")), std::string(300, 'x'));  // a long text, whole
}

TEST(TableStream, EveryRevisionRule) {
  struct Case {
    int revision;
    bool write_revision;
    bool versions_kept;
  };
  const Case kCases[] = {
      {100, false, false}, {-7, true, false}, {199, true, false}, {200, true, false},
      {229, true, false},  {230, true, true}, {248, true, true},  {249, true, true},
      {250, true, true},   {251, true, true}, {252, true, true},  {100000, true, true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.revision);
    TableStreamOptions options;
    options.revision = c.revision;
    options.write_revision = c.write_revision;
    options.save_definitions = true;
    options.indexes = {{"ByName", "Name", "by name", true, false, false, true}};
    Loaded t(WriteTableStream(StreamFieldsOf(TypedFields()), kTypedRecords, options));
    ASSERT_NO_THROW(t.Load());
    ExpectTypedRecords(t);
    const TRecord& beta = t.table.RecordAt(1);
    if (c.versions_kept) {
      ASSERT_TRUE(beta.Older().has_value());
      EXPECT_EQ(beta.Older()->Value(0), "beta-old");
      EXPECT_EQ(beta.Older()->Status(), usModified);
      EXPECT_FALSE(beta.Older()->Older().has_value());
    } else {
      EXPECT_FALSE(beta.Older().has_value());
    }
    EXPECT_EQ(t.source.Position(), t.source.Size());
  }
}

TEST(TableStream, NullsNeedRevision249) {
  std::vector<StreamRecord> records = {
      {{{0,
         {std::monostate{}, std::monostate{}, std::monostate{}, std::monostate{}, std::monostate{},
          std::monostate{}, std::monostate{}, std::monostate{}}}}}};
  for (int revision : {248, 249}) {
    TableStreamOptions options;
    options.revision = revision;
    Loaded t(WriteTableStream(StreamFieldsOf(TypedFields()), records, options));
    t.Load();
    t.table.MoveFirst();
    for (const TField& f : t.table.Fields()) {
      // Below 249 every field carries a value (the writer puts empty ones).
      EXPECT_EQ(t.table.IsNull(f), revision >= 249 || f.DataType == ftDate)
          << revision << " " << f.FieldName;
    }
  }
}

// A stream of revision 251 for the typed table around hand-made record bytes.
std::string TypedStream(const std::string& record_bytes) {
  ValueWriter w;
  w.Signature();
  w.Integer(251);
  w.ListBegin();
  w.ListEnd();
  w.ListBegin();
  w.ListEnd();
  w.ListBegin();
  w.Raw(record_bytes);
  w.ListEnd();
  return w.Bytes();
}

// One record of the typed table: status 0 and the given value bytes for the
// fields in order, each preceded by a "not null" flag.
std::string TypedRecordBytes(const std::vector<std::string>& values) {
  std::string out("\x01\x02\x00", 3);
  for (const std::string& v : values) out += "\x08" + v;
  out += std::string(1, '\0');
  return out;
}

std::string Int(int32_t v) {
  ValueWriter w;
  w.Integer(v);
  return w.Bytes();
}
std::string Real(long double v) {
  ValueWriter w;
  w.Real(v);
  return w.Bytes();
}
std::string Text(std::string_view v) {
  ValueWriter w;
  w.ShortText(v);
  return w.Bytes();
}

TEST(TableStream, ValueReadingRules) {
  // Integers of every width, reals from integer tags and the 64-bit tag.
  ValueWriter widths;
  widths.Int32(5);
  ValueWriter int64;
  int64.Int64(-3);
  ValueWriter int16real;
  int16real.Int16(1234);
  Loaded t(TypedStream(TypedRecordBytes({Text("a"), widths.Bytes(), "\x09", int64.Bytes(),
                                         int16real.Bytes(), Real(0), Real(2.5L), Text("z")}) +
                       TypedRecordBytes({Text("b"), Int(-2), "\x08", Real(0.5L), Real(1.0L / 32),
                                         Int(1), Real(3.5L), Text("")})));
  t.Load();
  t.table.MoveFirst();
  EXPECT_EQ(t.table.AsInteger(t.F("Count")), 5);
  EXPECT_EQ(t.table.AsFloat(t.F("Ratio")), -3.0);
  EXPECT_EQ(t.table.AsCurrencyUnits(t.F("Price")), 12340000);
  EXPECT_TRUE(t.table.IsNull(t.F("Since")));     // day 0.0 is no date
  EXPECT_EQ(t.table.AsLargeint(t.F("Big")), 2);  // 2.5: ties to even
  t.table.MoveNext();
  EXPECT_EQ(t.table.AsCurrencyUnits(t.F("Price")), 312);  // 312.5: ties to even
  EXPECT_EQ(t.table.AsFloat(t.F("Since")), 1.0);
  EXPECT_EQ(t.table.AsLargeint(t.F("Big")), 4);  // 3.5: ties to even
}

TEST(TableStream, BooleanConsumesExactlyOneByte) {
  // The boolean field meets a short-text tag: false, and its payload is then
  // read as the next item (here a null flag that says "not null", then Real).
  TMemTable table("T", {{"Active", ftBoolean}, {"Count", ftInteger}});
  ValueWriter w;
  w.Signature();
  w.Integer(248);  // no null flags
  for (int i = 0; i < 3; ++i) {
    w.ListBegin();
    if (i < 2) w.ListEnd();
  }
  w.Raw(std::string("\x01\x02\x00", 3));  // record, status 0
  w.Raw("\x06");                          // Active: a short-text tag, taken as false
  w.Raw("\x02\x2A");                      // Count: 42
  w.ListEnd();
  w.ListEnd();
  MemoryStream source(w.Bytes());
  TBinaryStreamFormat format;
  ReadTableStream(&format, table, source);
  table.MoveFirst();
  EXPECT_FALSE(table.AsBoolean(table.FieldNamed("Active")));
  EXPECT_FALSE(table.IsNull(table.FieldNamed("Active")));
  EXPECT_EQ(table.AsInteger(table.FieldNamed("Count")), 42);
}

TEST(TableStream, TextsAreTurnedIntoCp949) {
  const std::string kSeoul = Ko("서울");
  struct Case {
    const char* what;
    std::string value_bytes;
    std::string expected;
  };
  ValueWriter utf8, utf16, lone, lone_first, broken, broken_first, cut, long_text, utf8_ascii;
  utf8.Utf8Text("\xEC\x84\x9C\xEC\x9A\xB8");
  utf16.WideText(u"\uC11C\uC6B8");
  lone.WideText(std::u16string(u"a") + char16_t(0xD800) + u"b");
  lone_first.WideText(std::u16string(1, char16_t(0xDC00)) + u"b");
  broken.Utf8Text("ab\xEC\x41\x42");
  broken_first.Utf8Text("\xEC\x41\x42");
  cut.Utf8Text("ab\xEC\x84");
  long_text.LongText(std::string(9, 'q'));
  utf8_ascii.Utf8Text("plain");
  const Case kCases[] = {
      {"UTF-8", utf8.Bytes(), kSeoul},
      {"UTF-16", utf16.Bytes(), kSeoul},
      {"lone surrogate", lone.Bytes(), "a?b"},
      {"lone surrogate first", lone_first.Bytes(), "?b"},
      {"broken UTF-8 empties the text", broken.Bytes(), ""},
      {"broken first sequence", broken_first.Bytes(), ""},
      {"cut-off UTF-8 empties the text", cut.Bytes(), ""},
      {"long text", long_text.Bytes(), std::string(9, 'q')},
      {"ANSI bytes are kept", Text("\xBC\xAD\xFF"), "\xBC\xAD\xFF"},
      {"ASCII as UTF-8", utf8_ascii.Bytes(), "plain"},
      {"NUL first", Text(std::string("\0ab", 3)), std::string("\0ab", 3)},
      {"empty", Text(""), ""},
  };
  for (const Case& c : kCases) {
    // As the last field (a memo: kept whole) and as the first (a string of
    // 10 bytes: cut at its first NUL), which a scan compares in its record
    // list before it reads the stream.
    for (const char* field : {"Note", "Name"}) {
      std::vector<std::string> values = {Text("n"), Int(0),  "\x08",  Real(0),
                                         Real(0),   Real(1), Real(0), Text("n")};
      std::string expected = c.expected;
      if (std::string(field) == "Name") {
        values.front() = c.value_bytes;
        expected = expected.substr(0, expected.find('\0')).substr(0, 10);
      } else {
        values.back() = c.value_bytes;
      }
      Loaded t(TypedStream(TypedRecordBytes(values)));
      t.Load();
      t.table.MoveFirst();
      EXPECT_EQ(t.table.AsText(t.F(field)), expected) << c.what;
      // The comparison in place, which looks at the first character before
      // converting the rest, agrees with the value read out.
      for (const std::string& key :
           {c.expected, expected, kSeoul, std::string("\xBC"), std::string("?b"),
            std::string("a?b"), std::string("plain"), std::string(), std::string(1, '\0')}) {
        EXPECT_EQ(t.table.TextEquals(t.F(field), key), expected == key)
            << c.what << " / " << field << " / " << key;
      }
    }
  }
}

TEST(TableStream, AutoIncValueIsRaised) {
  TMemTable table("T", {{"Id", ftAutoInc}});
  std::vector<StreamRecord> records;
  for (int64_t id : {3, 9, 4}) records.push_back({{{0, {id}}}});
  MemoryStream source(WriteTableStream({{"Id", ftAutoInc}}, records));
  TBinaryStreamFormat format;
  ReadTableStream(&format, table, source);
  EXPECT_EQ(table.AutoIncValue(), 9);
}

TEST(TableStream, ReadsFromTheCurrentPositionUnlessToldToRewind) {
  std::string stream = WriteTableStream(StreamFieldsOf(TypedFields()), kTypedRecords);
  TBinaryStreamFormat format;
  format.LoadFromStart = false;
  {
    MemoryStream source("junk" + stream);
    source.Seek(4);
    TMemTable table("T", TypedFields());
    ReadTableStream(&format, table, source);
    EXPECT_EQ(table.RecordCount(), 3u);
  }
  {
    // Positioned past the end: nothing there to read.
    MemoryStream source(stream);
    source.Seek(source.Size() + 100);
    TMemTable table("T", TypedFields());
    EXPECT_EQ(ErrorMessage<EReadError>([&] { ReadTableStream(&format, table, source); }),
              "Stream read error");
  }
  {
    MemoryStream source(stream);
    source.Seek(source.Size());
    format.LoadFromStart = true;
    TMemTable table("T", TypedFields());
    ReadTableStream(&format, table, source);
    EXPECT_EQ(table.RecordCount(), 3u);
  }
}

TEST(TableStream, FailuresCarryTheirMessages) {
  auto with_defs = [](int revision, const char* type_name, const char* kind) {
    ValueWriter w;
    w.Signature();
    w.Integer(revision);
    w.ListBegin();
    w.Text("Name");
    w.Text(type_name);
    w.Integer(10);
    w.Text("Name");
    w.Text("");
    w.Integer(10);
    w.Boolean(false);
    w.Boolean(false);
    if (revision >= 250) w.Text(kind);
    if (revision >= 251) w.Text("");
    w.ListEnd();
    w.Raw(std::string("\x01\x00\x01\x00", 4));
    return w.Bytes();
  };
  const std::string valid = WriteTableStream(StreamFieldsOf(TypedFields()), kTypedRecords);
  const std::string header = TypedStream("");
  const std::string head = header.substr(0, header.size() - 1);  // up to the records' start

  struct Case {
    const char* what;
    std::string bytes;
    std::string message;  // "" for success
    bool read_error;      // EReadError, else EMemTableError
  };
  const Case kCases[] = {
      {"short source", "TPF", "Stream read error", true},
      {"empty source", "", "Stream read error", true},
      {"wrong signature", "TPF1" + valid.substr(4), "Invalid stream format", true},
      {"revision as text", "TPF0\x06\x01x", "Invalid property value", true},
      {"revision cut off", "TPF0\x04\xFB", "Stream read error", true},
      {"WideString not accepted", with_defs(251, "WideString", "Data"),
       "Unknown field type (WideString)", false},
      {"type names are case-sensitive", with_defs(251, "string", "Data"),
       "Unknown field type (string)", false},
      {"an unknown kind is data", with_defs(251, "String", "calculated"), "", false},
      {"revision 249 has no kind item", with_defs(249, "Memo", ""), "", false},
      {"missing start of records", head + "\x02\x05", "Invalid property value", true},
      {"missing start, skipped value cut off", head + std::string("\x0C\xFF\xFF\x00\x00", 5),
       "Stream read error", true},
      {"negative long text length",
       TypedStream(TypedRecordBytes({std::string("\x0C\xFF\xFF\xFF\xFF", 5)})),
       "Invalid property value", true},
      {"negative wide text count",
       TypedStream(TypedRecordBytes({std::string("\x12\x00\x00\x00\x80", 5)})),
       "Invalid property value", true},
      {"huge text length", TypedStream(TypedRecordBytes({std::string("\x14\xFF\xFF\xFF\x7F", 5)})),
       "Stream read error", true},
      {"text where an integer is due", TypedStream(TypedRecordBytes({Text("a"), Text("1")})),
       "Invalid property value", true},
      {"integer where a text is due", TypedStream(TypedRecordBytes({Int(1)})),
       "Invalid property value", true},
      {"text where a real is due",
       TypedStream(TypedRecordBytes({Text("a"), Int(1), "\x09", Text("1")})),
       "Invalid property value", true},
      {"currency out of range",
       TypedStream(TypedRecordBytes({Text("a"), Int(1), "\x09", Real(1), Real(1e30L)})),
       "Invalid property value", true},
      {"large integer not a number",
       TypedStream(TypedRecordBytes(
           {Text("a"), Int(1), "\x09", Real(1), Real(1), Real(1), Real(std::nanl(""))})),
       "Invalid property value", true},
      {"unused tag", TypedStream(std::string("\x01\x02\x00\x08\x07", 5)), "Invalid property value",
       true},
  };
  for (const Case& c : kCases) {
    Loaded t(c.bytes);
    std::string got = c.read_error ? ErrorMessage<EReadError>([&] { t.Load(); })
                                   : ErrorMessage<EMemTableError>([&] { t.Load(); });
    EXPECT_EQ(got, c.message) << c.what;
  }
}

TEST(TableStream, NoFormatAndNoFields) {
  TMemTable table("T", TypedFields());
  MemoryStream source(WriteTableStream(StreamFieldsOf(TypedFields()), kTypedRecords));
  EXPECT_EQ(ErrorMessage<EMemTableError>([&] { ReadTableStream(nullptr, table, source); }),
            "No format specified.");
  EXPECT_EQ(source.Position(), 0u);

  TMemTable empty("T", {});
  TBinaryStreamFormat format;
  EXPECT_EQ(ErrorMessage<EMemTableError>([&] { ReadTableStream(&format, empty, source); }),
            "Couldnt determine field count for load.");
  EXPECT_EQ(empty.RecordCount(), 0u);
}

TEST(TableStream, WrongSignatureLeavesTheTableAsItWas) {
  Loaded t(WriteTableStream(StreamFieldsOf(TypedFields()), kTypedRecords));
  t.Load();
  t.source = MemoryStream("TPF1" + std::string(t.source.Bytes().substr(4)));
  EXPECT_EQ(ErrorMessage<EReadError>([&] { t.Load(); }), "Invalid stream format");
  EXPECT_EQ(t.table.RecordCount(), 3u);
}

// Every strict prefix of a valid stream fails with "Stream read error" and
// keeps exactly the records that were complete, unchanged.
TEST(TableStream, EveryTruncatedPrefix) {
  const std::string full = WriteTableStream(StreamFieldsOf(TypedFields()), kTypedRecords);
  Loaded whole(full);
  whole.Load();
  size_t last_count = 0;
  for (size_t n = 0; n < full.size(); ++n) {
    Loaded t(full.substr(0, n));
    ASSERT_EQ(ErrorMessage<EReadError>([&] { t.Load(); }), "Stream read error") << n;
    size_t count = t.table.RecordCount();
    ASSERT_GE(count, last_count) << n;
    ASSERT_LE(count, 3u);
    last_count = count;
    for (size_t i = 0; i < count; ++i) {
      for (int f = 0; f < t.table.FieldCount(); ++f) {
        ASSERT_EQ(t.table.RecordAt(i).Value(f), whole.table.RecordAt(i).Value(f)) << n;
      }
    }
  }
  EXPECT_EQ(last_count, 3u);  // the full record list minus its end marker
}

TEST(TableStream, RecordStatusesAndNumbers) {
  std::vector<StreamRecord> records;
  for (int status : {0, 3, 2, 0x103}) {  // 0x103 keeps its low byte: deleted
    records.push_back({{TypedVersion("r", 0, false, 0, 0, 1, 0, "", 0)}});
    records.back().versions[0].status = static_cast<uint8_t>(status & 0xFF);
  }
  // The writer writes statuses as bytes; a wider status is written by hand.
  std::string stream = WriteTableStream(StreamFieldsOf(TypedFields()), records);
  size_t at = stream.rfind(std::string("\x01\x02\x03", 3));
  ASSERT_NE(at, std::string::npos);
  stream.replace(at + 1, 2, std::string("\x03\x03\x01", 3));
  Loaded t(stream);
  t.Load();
  ASSERT_EQ(t.table.RecordCount(), 4u);
  EXPECT_EQ(t.table.DeletedCount(), 2u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(t.table.RecordAt(i).RecordNo(), i);
    EXPECT_EQ(t.table.RecordAt(i).UniqueRecordNo(), i);
  }
  EXPECT_EQ(t.table.RecordAt(3).Status(), usDeleted);
}

}  // namespace
}  // namespace varnett
