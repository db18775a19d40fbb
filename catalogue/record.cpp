#include "catalogue/record.h"

#include "catalogue/field_value.h"
#include "catalogue/mem_table.h"
#include "catalogue/value_reader.h"

namespace varnett {

// The values were checked when the table loaded them, so reading them again
// cannot fail.

void TRecord::SkipTo(ValueReader& in, int field) const {
  const std::vector<TField>& fields = table_->Fields();
  for (int i = 0; i < field; ++i) {
    ReadFieldValue(in, fields[i].DataType, fields[i].Size, load_->null_flags, nullptr);
  }
}

bool TRecord::Read(int field, std::string* stored) const {
  const ByteBuffer& bytes = *load_->bytes;
  ValueReader in(bytes.data() + values_at_, bytes.size() - values_at_);
  SkipTo(in, field);
  const TField& f = table_->Fields()[field];
  return ReadFieldValue(in, f.DataType, f.Size, load_->null_flags, stored);
}

bool TRecord::IsNull(int field) const { return !Read(field, nullptr); }

std::string TRecord::Value(int field) const {
  std::string stored;
  Read(field, &stored);
  return stored;
}

bool TRecord::TextEquals(int field, std::string_view text) const {
  const ByteBuffer& bytes = *load_->bytes;
  ValueReader in(bytes.data() + values_at_, bytes.size() - values_at_);
  SkipTo(in, field);
  if (load_->null_flags && in.ReadBoolean()) return text.empty();
  const StreamText stored = in.ReadStreamText();
  if (!text.empty() && !MayBeginWith(stored, text[0])) return false;
  std::string scratch;
  const TField& f = table_->Fields()[field];
  return StoredText(f.DataType, f.Size, TextInCp949(stored, &scratch)) == text;
}

std::optional<TRecord> TRecord::Older() const {
  if (!load_->lists) return std::nullopt;
  const ByteBuffer& bytes = *load_->bytes;
  ValueReader in(bytes.data() + values_at_, bytes.size() - values_at_);
  SkipTo(in, table_->FieldCount());
  if (in.EndOfList()) return std::nullopt;
  const uint8_t status = static_cast<uint8_t>(in.ReadInteger());
  return TRecord(*table_, *load_, static_cast<size_t>(in.Here() - bytes.data()), status, 0);
}

}  // namespace varnett
