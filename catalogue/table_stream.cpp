#include "catalogue/table_stream.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "catalogue/errors.h"
#include "catalogue/extended_real.h"
#include "catalogue/value_reader.h"

namespace varnett {

namespace {

constexpr char kSignature[4] = {'T', 'P', 'F', '0'};

// Revisions from which parts of the layout are present.
constexpr int kRevisionWithoutNumber = 100;
constexpr int kRevisionIndexDefs = 200;
constexpr int kRevisionRecordLists = 230;
constexpr int kRevisionNullFlags = 249;
constexpr int kRevisionFieldKind = 250;
constexpr int kRevisionDefaultExpression = 251;

int ReadRevision(ValueReader& in) {
  char signature[4];
  in.ReadRaw(signature, 4);
  if (std::memcmp(signature, kSignature, 4) != 0) throw EReadError("Invalid stream format");
  if (in.PeekTag() == kTagStartOfList) return kRevisionWithoutNumber;
  return in.ReadInteger();
}

// Field definitions are checked, then dropped: the table keeps its own fields.
void ReadFieldDefinitions(ValueReader& in, int revision) {
  in.ReadListBegin();
  while (!in.EndOfList()) {
    in.ReadText();  // field name
    std::string type_name(in.ReadText());
    in.ReadInteger();  // size
    in.ReadText();     // display label
    in.ReadText();     // edit mask
    in.ReadInteger();  // display width
    in.ReadBoolean();  // required
    in.ReadBoolean();  // read-only
    // The kind name is not checked: an unknown one means a data field.
    if (revision >= kRevisionFieldKind) in.ReadText();
    if (revision >= kRevisionDefaultExpression) in.ReadText();
    if (!AcceptedFieldType(type_name)) {
      throw EMemTableError("Unknown field type (" + type_name + ")");
    }
  }
  in.ReadListEnd();
}

void ReadIndexDefinitions(ValueReader& in) {
  in.ReadListBegin();
  while (!in.EndOfList()) {
    in.ReadText();  // index name
    in.ReadText();  // field names
    in.ReadText();  // display name
    // Descending, case-insensitive, non-maintained, unique.
    for (int i = 0; i < 4; ++i) in.ReadBoolean();
  }
  in.ReadListEnd();
}

// Pre-sizes the record list from the source size, but never for more records
// than the bytes left could hold, so a small hostile stream cannot make the
// table reserve a large list.
void ReserveForStream(TableStreamTarget& table, uint64_t source_size, uint64_t remaining,
                      int revision) {
  size_t record_size = table.RecordSizeInMemory();
  if (record_size == 0) return;
  uint64_t n = source_size / record_size;
  // Smallest record: one byte per field, plus the list markers and status.
  uint64_t smallest = table.FieldCount() + (revision >= kRevisionRecordLists ? 4 : 0);
  n = std::min(n, remaining / smallest);
  table.ReserveRecords(table.RecordCount() + n + n / 50);
}

int64_t RoundedOrInvalid(long double value) {
  int64_t out;
  if (!RoundToInt64(value, &out)) throw EReadError("Invalid property value");
  return out;
}

void ReadFieldValue(ValueReader& in, TableStreamTarget& table, int field, TFieldType type,
                    StreamValueKind kind) {
  switch (kind) {
    case StreamValueKind::kText:
      table.SetText(field, in.ReadText());
      return;
    case StreamValueKind::kInteger:
      table.SetInteger(field, in.ReadInteger());
      return;
    case StreamValueKind::kBoolean:
      table.SetBoolean(field, in.ReadBoolean());
      return;
    case StreamValueKind::kReal:
      break;
  }
  long double real = in.ReadReal();
  switch (type) {
    case ftCurrency:
    case ftBCD:
      table.SetCurrency(field, RoundedOrInvalid(real * 10000));
      return;
    case ftLargeint:
      table.SetLargeint(field, RoundedOrInvalid(real));
      return;
    case ftDate:
    case ftTime:
    case ftDateTime:
      if (real == 0) {
        table.SetNull(field);
      } else {
        table.SetDateTime(field, ToDouble(real));
      }
      return;
    default:
      table.SetFloat(field, ToDouble(real));
      return;
  }
}

void ReadRecords(ValueReader& in, TableStreamTarget& table, int revision, uint64_t source_size) {
  const int field_count = table.FieldCount();
  std::vector<TFieldType> types(field_count);
  std::vector<StreamValueKind> kinds(field_count);
  for (int i = 0; i < field_count; ++i) {
    types[i] = table.FieldTypeAt(i);
    kinds[i] = StreamValueKindOf(types[i]);
  }
  const bool lists = revision >= kRevisionRecordLists;
  const bool null_flags = revision >= kRevisionNullFlags;

  ReserveForStream(table, source_size, in.Remaining(), revision);
  in.ReadListBegin();
  while (!in.EndOfList()) {
    table.StartRecord();
    try {
      if (lists) {
        in.ReadListBegin();
        table.SetUpdateStatus(static_cast<uint8_t>(in.ReadInteger()));
      }
      for (;;) {
        for (int i = 0; i < field_count; ++i) {
          if (null_flags && in.ReadBoolean()) {
            table.SetNull(i);
          } else {
            ReadFieldValue(in, table, i, types[i], kinds[i]);
          }
        }
        if (!lists || in.EndOfList()) break;
        table.StartOlderVersion();
        table.SetUpdateStatus(static_cast<uint8_t>(in.ReadInteger()));
      }
      if (lists) in.ReadListEnd();
    } catch (...) {
      table.DiscardRecord();
      throw;
    }
    table.AppendRecord();
  }
  in.ReadListEnd();
}

}  // namespace

void ReadTableStream(const TBinaryStreamFormat* format, TableStreamTarget& table,
                     MemoryStream& source) {
  if (format == nullptr) throw EMemTableError("No format specified.");
  if (format->LoadFromStart) source.Seek(0);
  const uint64_t source_size = source.Size();
  ValueReader in(source, static_cast<size_t>(
                             std::max(format->BufferSize, TBinaryStreamFormat::kMinBufferSize)));

  // A bad signature or revision leaves the table untouched.
  const int revision = ReadRevision(in);

  table.BeginLoad();
  try {
    ReadFieldDefinitions(in, revision);
    if (revision >= kRevisionIndexDefs) ReadIndexDefinitions(in);
    if (table.FieldCount() == 0) {
      throw EMemTableError("Couldnt determine field count for load.");
    }
    ReadRecords(in, table, revision, source_size);
  } catch (...) {
    table.EndLoad();
    throw;
  }
  table.EndLoad();
}

}  // namespace varnett
