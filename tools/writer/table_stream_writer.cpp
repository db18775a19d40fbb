#include "tools/writer/table_stream_writer.h"

#include <cmath>
#include <cstring>

#include "text/conversions.h"

namespace varnett {

namespace {

void PutLittleEndian(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

bool IsAscii(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

void EncodeExtended(long double value, unsigned char out[10]) {
  uint64_t significand = 0;
  int exponent = 0;
  bool negative = std::signbit(value);
  if (std::isnan(value)) {
    exponent = 0x7FFF;
    significand = 0xC000000000000000ull;
  } else if (std::isinf(value)) {
    exponent = 0x7FFF;
    significand = 0x8000000000000000ull;
  } else if (value != 0) {
    int e;
    long double m = std::frexp(std::fabs(value), &e);  // [0.5, 1)
    significand = static_cast<uint64_t>(std::ldexp(m, 64));
    exponent = e - 1 + 16383;
    if (exponent <= 0) {  // denormal
      significand >>= (1 - exponent);
      exponent = 0;
    }
  }
  for (int i = 0; i < 8; ++i) out[i] = static_cast<unsigned char>(significand >> (8 * i));
  unsigned se = static_cast<unsigned>(exponent) | (negative ? 0x8000u : 0u);
  out[8] = static_cast<unsigned char>(se & 0xFF);
  out[9] = static_cast<unsigned char>(se >> 8);
}

void ValueWriter::Integer(int32_t value) {
  if (value >= -128 && value <= 127) {
    Int8(static_cast<int8_t>(value));
  } else if (value >= -32768 && value <= 32767) {
    Int16(static_cast<int16_t>(value));
  } else {
    Int32(value);
  }
}

void ValueWriter::Int8(int8_t value) {
  out_ += '\x02';
  PutLittleEndian(out_, static_cast<uint8_t>(value), 1);
}

void ValueWriter::Int16(int16_t value) {
  out_ += '\x03';
  PutLittleEndian(out_, static_cast<uint16_t>(value), 2);
}

void ValueWriter::Int32(int32_t value) {
  out_ += '\x04';
  PutLittleEndian(out_, static_cast<uint32_t>(value), 4);
}

void ValueWriter::Int64(int64_t value) {
  out_ += '\x13';
  PutLittleEndian(out_, static_cast<uint64_t>(value), 8);
}

void ValueWriter::Real(long double value) {
  unsigned char bytes[10];
  EncodeExtended(value, bytes);
  out_ += '\x05';
  out_.append(reinterpret_cast<const char*>(bytes), 10);
}

void ValueWriter::Length(uint32_t n) { PutLittleEndian(out_, n, 4); }

void ValueWriter::Text(std::string_view cp949) {
  if (!IsAscii(cp949)) {
    Utf8Text(Cp949ToUtf8(cp949));
  } else if (cp949.size() < 256) {
    ShortText(cp949);
  } else {
    LongText(cp949);
  }
}

void ValueWriter::ShortText(std::string_view bytes) {
  out_ += '\x06';
  out_ += static_cast<char>(bytes.size() & 0xFF);
  Raw(bytes);
}

void ValueWriter::LongText(std::string_view bytes) {
  out_ += '\x0C';
  Length(static_cast<uint32_t>(bytes.size()));
  Raw(bytes);
}

void ValueWriter::Utf8Text(std::string_view utf8) {
  out_ += '\x14';
  Length(static_cast<uint32_t>(utf8.size()));
  Raw(utf8);
}

void ValueWriter::WideText(std::u16string_view utf16) {
  out_ += '\x12';
  Length(static_cast<uint32_t>(utf16.size()));
  for (char16_t c : utf16) PutLittleEndian(out_, c, 2);
}

namespace {

void WriteValue(ValueWriter& w, TFieldType type, const StreamCell& cell) {
  switch (StreamValueKindOf(type)) {
    case StreamValueKind::kText:
      w.Text(std::holds_alternative<std::string>(cell) ? std::get<std::string>(cell) : "");
      return;
    case StreamValueKind::kInteger:
      w.Integer(std::holds_alternative<int64_t>(cell)
                    ? static_cast<int32_t>(std::get<int64_t>(cell))
                    : 0);
      return;
    case StreamValueKind::kBoolean:
      w.Boolean(std::holds_alternative<bool>(cell) && std::get<bool>(cell));
      return;
    case StreamValueKind::kReal:
      if (std::holds_alternative<int64_t>(cell)) {
        w.Real(static_cast<long double>(std::get<int64_t>(cell)));
      } else {
        w.Real(std::holds_alternative<long double>(cell) ? std::get<long double>(cell) : 0);
      }
      return;
  }
}

void WriteFieldDefinition(ValueWriter& w, const StreamField& field, int revision) {
  w.Text(field.name);
  w.Text(FieldTypeName(field.type));
  w.Integer(field.size);
  w.Text(field.name);  // display label: the field name when it has none
  w.Text("");          // edit mask
  w.Integer(field.size);
  w.Boolean(false);  // required
  w.Boolean(false);  // read-only
  if (revision >= 250) w.Text(FieldKindName(field.kind));
  if (revision >= 251) w.Text("");  // default expression
}

}  // namespace

std::string WriteTableStream(const std::vector<StreamField>& fields,
                             const std::vector<StreamRecord>& records,
                             const TableStreamOptions& options) {
  const int revision = options.write_revision ? options.revision : 100;
  ValueWriter w;
  w.Signature();
  if (options.write_revision) w.Integer(options.revision);

  w.ListBegin();
  if (options.save_definitions) {
    for (const StreamField& field : fields) WriteFieldDefinition(w, field, revision);
  }
  w.ListEnd();

  if (revision >= 200) {
    w.ListBegin();
    for (const StreamIndex& index : options.indexes) {
      w.Text(index.name);
      w.Text(index.fields);
      w.Text(index.display_name);
      w.Boolean(index.descending);
      w.Boolean(index.case_insensitive);
      w.Boolean(index.non_maintained);
      w.Boolean(index.unique);
    }
    w.ListEnd();
  }

  w.ListBegin();
  for (const StreamRecord& record : records) {
    const bool lists = revision >= 230;
    if (lists) w.ListBegin();
    for (const StreamVersion& version : record.versions) {
      if (lists) w.Integer(version.status);
      for (size_t i = 0; i < fields.size(); ++i) {
        const StreamCell none;
        const StreamCell& cell = i < version.values.size() ? version.values[i] : none;
        bool null = std::holds_alternative<std::monostate>(cell);
        if (revision >= 249) {
          w.Boolean(null);
          if (null) continue;
        }
        WriteValue(w, fields[i].type, cell);
      }
      if (!lists) break;
    }
    if (lists) w.ListEnd();
  }
  w.ListEnd();
  return w.Bytes();
}

}  // namespace varnett
