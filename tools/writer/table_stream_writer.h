// Writes binary table streams the way the save side of the format does:
// "TPF0", revision 251 unless asked otherwise, field and index definition
// lists, then the records with null flags. For tests, tools and benchmarks;
// the program itself never writes a table stream.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "catalogue/field_type.h"

namespace varnett {

// The value layer: one tag byte and its payload per call.
class ValueWriter {
 public:
  void Signature() { out_ += "TPF0"; }
  void ListBegin() { out_ += '\x01'; }
  void ListEnd() { out_ += '\x00'; }
  // In the smallest of the three widths that holds it.
  void Integer(int32_t value);
  void Int8(int8_t value);
  void Int16(int16_t value);
  void Int32(int32_t value);
  void Int64(int64_t value);
  void Boolean(bool value) { out_ += value ? '\x09' : '\x08'; }
  // Tag 0x05, 80-bit extended precision.
  void Real(long double value);
  // A CP949 text: UTF-8 when it holds any non-ASCII byte, else short or long.
  void Text(std::string_view cp949);
  // The explicit text forms, bytes as given.
  void ShortText(std::string_view bytes);
  void LongText(std::string_view bytes);
  void Utf8Text(std::string_view utf8);
  void WideText(std::u16string_view utf16);
  void Raw(std::string_view bytes) { out_.append(bytes.data(), bytes.size()); }

  const std::string& Bytes() const { return out_; }

 private:
  void Length(uint32_t n);
  std::string out_;
};

void EncodeExtended(long double value, unsigned char out[10]);

// The table side.
struct StreamField {
  StreamField(std::string name, TFieldType type = ftString, int size = 0, TFieldKind kind = fkData)
      : name(std::move(name)), type(type), size(size), kind(kind) {}

  std::string name;
  TFieldType type = ftString;
  int size = 0;
  TFieldKind kind = fkData;
};

// Null, a CP949 text, an integer (integer kinds and large integers), a
// boolean, or a real (floats, dates and currency amounts).
using StreamCell = std::variant<std::monostate, std::string, int64_t, bool, long double>;

struct StreamVersion {
  uint8_t status = 0;
  std::vector<StreamCell> values;
};

// Its versions, newest first.
struct StreamRecord {
  std::vector<StreamVersion> versions;
};

struct StreamIndex {
  std::string name;
  std::string fields;
  std::string display_name;
  bool descending = false;
  bool case_insensitive = false;
  bool non_maintained = false;
  bool unique = false;
};

struct TableStreamOptions {
  int revision = 251;
  // False leaves the revision out, which readers take as revision 100.
  bool write_revision = true;
  // Field definitions (one per field) and index definitions; both lists are
  // empty otherwise, as in the catalogue.
  bool save_definitions = false;
  std::vector<StreamIndex> indexes;
};

// Below revision 249 a null value cannot be written: it becomes an empty
// text, zero or false. Below revision 230 only the newest version is written.
std::string WriteTableStream(const std::vector<StreamField>& fields,
                             const std::vector<StreamRecord>& records,
                             const TableStreamOptions& options = {});

}  // namespace varnett
