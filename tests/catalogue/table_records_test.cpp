// The quick reader of all-text records against the general one: whatever the
// quick one accepts, the general one reads the same way, over valid records,
// every prefix of them and every single-byte change.
#include "catalogue/table_records.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "catalogue/errors.h"

namespace varnett {
namespace {

struct Layout {
  const char* what;
  bool lists;
  bool null_flags;
};

// Builds record bytes item by item.
struct Bytes {
  const Layout& layout;
  std::string s;

  Bytes& Raw(std::string bytes) {
    s += bytes;
    return *this;
  }
  Bytes& Length(uint32_t n) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>(n >> (8 * i));
    return *this;
  }
  Bytes& Flag() { return layout.null_flags ? Raw("\x08") : *this; }
  Bytes& Null() { return layout.null_flags ? Raw("\x09") : Short(""); }
  Bytes& Short(const std::string& text) {
    Flag().Raw("\x06").Raw(std::string(1, static_cast<char>(text.size())));
    return Raw(text);
  }
  Bytes& Tagged(char tag, const std::string& text, uint32_t units) {
    Flag().Raw(std::string(1, tag)).Length(units);
    return Raw(text);
  }
  Bytes& Status(const std::string& integer) { return layout.lists ? Raw(integer) : *this; }
  Bytes& Begin() { return layout.lists ? Raw("\x01") : *this; }
  Bytes& End() { return layout.lists ? Raw(std::string(1, '\0')) : *this; }
};

struct Outcome {
  const char* end = nullptr;
  uint8_t status = 0;
  const char* values = nullptr;
};

std::optional<Outcome> General(const std::string& bytes, const std::vector<TField>& fields,
                               const Layout& layout) {
  ValueReader in(bytes.data(), bytes.size());
  Outcome o;
  int32_t auto_inc = 0;
  try {
    ReadRecord(in, fields, layout.lists, layout.null_flags, &o.status, &o.values, &auto_inc);
  } catch (const CatalogueError&) {
    return std::nullopt;
  }
  o.end = in.Here();
  return o;
}

std::optional<Outcome> Quick(const std::string& bytes, int field_count, const Layout& layout) {
  Outcome o;
  o.end = CheckTextRecord(bytes.data(), bytes.data() + bytes.size(), field_count, layout.lists,
                          layout.null_flags, &o.status, &o.values);
  if (o.end == nullptr) return std::nullopt;
  return o;
}

TEST(TableRecords, QuickReaderAgreesWithTheGeneralOne) {
  const std::vector<TField> fields = {{"A", ftString, 10}, {"B", ftString, 4}, {"C", ftMemo}};
  const Layout layouts[] = {{"lists and null flags", true, true},
                            {"lists without null flags", true, false},
                            {"bare values", false, false}};
  for (const Layout& layout : layouts) {
    std::vector<std::string> records;
    // Short, long, UTF-8 and wide texts, and nulls.
    records.push_back(Bytes{layout, {}}
                          .Begin()
                          .Status("\x02\x03")
                          .Short("name")
                          .Null()
                          .Tagged('\x0C', std::string(300, 'x'), 300)
                          .End()
                          .s);
    records.push_back(Bytes{layout, {}}
                          .Begin()
                          .Status(std::string("\x04\x01\x00\x00\x00", 5))
                          .Tagged('\x14', "\xEC\x84\x9C", 3)
                          .Tagged('\x12', std::string("A\0B\0", 4), 2)
                          .Null()
                          .End()
                          .s);
    // Two versions, the older one's status in sixteen bits.
    records.push_back(Bytes{layout, {}}
                          .Begin()
                          .Status(std::string("\x02\x00", 2))
                          .Short("new")
                          .Short("")
                          .Null()
                          .Status(std::string("\x03\x01\x00", 3))
                          .Short("old")
                          .Null()
                          .Short("x")
                          .End()
                          .s);
    // Two versions whose fields are all null: with null flags, runs of flags.
    records.push_back(Bytes{layout, {}}
                          .Begin()
                          .Status(std::string("\x02\x00", 2))
                          .Null()
                          .Null()
                          .Null()
                          .Status(std::string("\x02\x01", 2))
                          .Null()
                          .Null()
                          .Null()
                          .End()
                          .s);
    for (const std::string& record : records) {
      SCOPED_TRACE(layout.what);
      // Whole records take the quick way.
      std::optional<Outcome> whole = Quick(record, 3, layout);
      ASSERT_TRUE(whole.has_value()) << testing::PrintToString(record);
      ASSERT_TRUE(General(record, fields, layout).has_value()) << testing::PrintToString(record);
      std::vector<std::string> inputs;
      for (size_t n = 0; n <= record.size(); ++n) inputs.push_back(record.substr(0, n));
      for (size_t at = 0; at < record.size(); ++at) {
        for (int b : {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x08, 0x09, 0x0C, 0x12, 0x13, 0x14,
                      0x7F, 0x80, 0xFF}) {
          std::string changed = record;
          changed[at] = static_cast<char>(b);
          inputs.push_back(changed);
        }
      }
      int quick_taken = 0;
      for (const std::string& input : inputs) {
        std::optional<Outcome> quick = Quick(input, 3, layout);
        if (!quick) continue;
        ++quick_taken;
        std::optional<Outcome> general = General(input, fields, layout);
        ASSERT_TRUE(general.has_value()) << testing::PrintToString(input);
        EXPECT_EQ(quick->end - input.data(), general->end - input.data());
        EXPECT_EQ(quick->status, general->status);
        EXPECT_EQ(quick->values - input.data(), general->values - input.data());
      }
      EXPECT_GT(quick_taken, 1);
    }
  }
}

}  // namespace
}  // namespace varnett
