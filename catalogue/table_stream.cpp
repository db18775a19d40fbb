#include "catalogue/table_stream.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/errors.h"
#include "catalogue/mem_table.h"
#include "catalogue/table_records.h"
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

// Records are checked value by value here and kept by the table as places in
// the stream's bytes; their values are read again only when asked for.
void ReadRecords(ValueReader& in, TMemTable& table, int revision,
                 std::shared_ptr<const ByteBuffer> bytes) {
  const std::vector<TField>& fields = table.Fields();
  const bool lists = revision >= kRevisionRecordLists;
  const bool null_flags = revision >= kRevisionNullFlags;

  // The list is sized once for the most records the bytes left could hold
  // (each field takes a byte at least, besides the list markers and status),
  // so it never grows by copying, and a small hostile stream cannot make it
  // large.
  const uint64_t smallest = fields.size() + (lists ? 4 : 0);
  const char* base = bytes->data();
  TMemTable::LoadScope load(table, std::move(bytes), lists, null_flags,
                            static_cast<size_t>(in.Remaining() / smallest));
  bool all_texts = true;
  for (const TField& f : fields)
    all_texts &= StreamValueKindOf(f.DataType) == StreamValueKind::kText;
  // A catalogue padded with empty records holds millions of one shape: an
  // unmodified record (list, status 0 in one byte) whose values are all
  // null, each a null flag alone. Such a record is known by its bytes.
  std::string all_null;
  if (all_texts && lists && null_flags) {
    all_null = {static_cast<char>(kTagStartOfList), static_cast<char>(kTagInt8), usUnmodified};
    all_null.append(fields.size(), static_cast<char>(kTagTrue));
    all_null += static_cast<char>(kTagEndOfList);
  }
  int32_t auto_inc = table.AutoIncValue();
  try {
    in.ReadListBegin();
    while (!in.EndOfList()) {
      if (!all_null.empty() && in.Remaining() >= all_null.size() &&
          std::memcmp(in.Here(), all_null.data(), all_null.size()) == 0) {
        load.AppendAllNull(static_cast<size_t>(in.Here() + 3 - base));
        in.MoveTo(in.Here() + all_null.size());
        continue;
      }
      if (all_texts) {
        uint8_t status;
        const char* values;
        const char* next = CheckTextRecord(in.Here(), in.End(), static_cast<int>(fields.size()),
                                           lists, null_flags, &status, &values);
        if (next != nullptr) {
          in.MoveTo(next);
          load.Append(static_cast<size_t>(values - base), status);
          continue;
        }
      }
      uint8_t status;
      const char* values;
      ReadRecord(in, fields, lists, null_flags, &status, &values, &auto_inc);
      load.Append(static_cast<size_t>(values - base), status);
    }
    in.ReadListEnd();
  } catch (...) {
    table.RaiseAutoInc(auto_inc);
    throw;
  }
  table.RaiseAutoInc(auto_inc);
}

}  // namespace

void ReadTableStream(const TBinaryStreamFormat* format, TMemTable& table, MemoryStream& source) {
  if (format == nullptr) throw EMemTableError("No format specified.");
  if (format->LoadFromStart) source.Seek(0);
  ValueReader in(source);

  // A bad signature or revision leaves the table untouched.
  const int revision = ReadRevision(in);

  ReadFieldDefinitions(in, revision);
  if (revision >= kRevisionIndexDefs) ReadIndexDefinitions(in);
  if (table.FieldCount() == 0) {
    throw EMemTableError("Couldnt determine field count for load.");
  }
  ReadRecords(in, table, revision, source.Share());
}

}  // namespace varnett
