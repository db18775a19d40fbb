#include "catalogue/mem_table.h"

#include <cstdio>
#include <cstring>

#include "catalogue/errors.h"
#include "text/cp949.h"

namespace varnett {

namespace {

// String fields hold a text cut at its first NUL byte and then at Size bytes.
bool IsSizedString(TFieldType type) {
  return type == ftString || type == ftFixedChar || type == ftWideString;
}

template <typename T>
T Load(std::string_view bytes) {
  T value{};
  if (bytes.size() == sizeof value) std::memcpy(&value, bytes.data(), sizeof value);
  return value;
}

}  // namespace

TMemTable::TMemTable(std::string name, std::vector<TField> fields)
    : name_(std::move(name)), fields_(std::move(fields)), draft_(static_cast<int>(fields_.size())) {
  for (size_t i = 0; i < fields_.size(); ++i) fields_[i].Index = static_cast<int>(i);
}

void TMemTable::ClearRecords() {
  DiscardRecord();
  records_.clear();
  records_.shrink_to_fit();
  arena_.Clear();
  deleted_count_ = 0;
  next_record_no_ = 0;
  next_unique_no_ = 0;
  cursor_ = 0;
  at_end_ = true;
}

void TMemTable::LoadRecordsFromStream(MemoryStream& source) {
  ReadTableStream(DefaultFormat, *this, source);
}

void TMemTable::MoveFirst() {
  for (size_t i = 0; i < records_.size(); ++i) {
    if (records_[i]->Status() != usDeleted) {
      cursor_ = i;
      at_end_ = false;
      return;
    }
  }
  at_end_ = true;
}

void TMemTable::MoveNext() {
  for (size_t i = cursor_ + 1; i < records_.size(); ++i) {
    if (records_[i]->Status() != usDeleted) {
      cursor_ = i;
      at_end_ = false;
      return;
    }
  }
  at_end_ = true;
}

const TField& TMemTable::FieldNamed(std::string_view name) const {
  for (const TField& field : fields_) {
    if (SameTextIgnoringAsciiCase(field.FieldName, name)) return field;
  }
  std::string message = "Field '" + std::string(name) + "' not found";
  if (!name_.empty()) message = name_ + ": " + message;
  throw EDatabaseError(message);
}

const TRecord* TMemTable::CurrentRecord() const {
  return cursor_ < records_.size() ? records_[cursor_] : nullptr;
}

std::string_view TMemTable::Stored(const TField& field) const {
  const TRecord* record = CurrentRecord();
  if (record == nullptr || field.Index < 0 || field.Index >= FieldCount()) return {};
  return record->Value(field.Index);
}

bool TMemTable::IsNull(const TField& field) const {
  const TRecord* record = CurrentRecord();
  if (record == nullptr || field.Index < 0 || field.Index >= FieldCount()) return true;
  return record->IsNull(field.Index);
}

std::string TMemTable::AsText(const TField& field) const {
  if (IsNull(field)) return {};
  char buffer[64];
  switch (StreamValueKindOf(field.DataType)) {
    case StreamValueKind::kText:
      return std::string(Stored(field));
    case StreamValueKind::kInteger:
      return std::to_string(AsInteger(field));
    case StreamValueKind::kBoolean:
      return AsBoolean(field) ? "True" : "False";
    case StreamValueKind::kReal:
      break;
  }
  if (field.DataType == ftLargeint) return std::to_string(AsLargeint(field));
  if (field.DataType == ftCurrency || field.DataType == ftBCD) {
    int64_t units = AsCurrencyUnits(field);
    uint64_t magnitude = units < 0 ? 0 - static_cast<uint64_t>(units) : units;
    std::snprintf(buffer, sizeof buffer, "%s%llu.%04llu", units < 0 ? "-" : "",
                  static_cast<unsigned long long>(magnitude / 10000),
                  static_cast<unsigned long long>(magnitude % 10000));
    return buffer;
  }
  std::snprintf(buffer, sizeof buffer, "%.15g", AsFloat(field));
  return buffer;
}

int32_t TMemTable::AsInteger(const TField& field) const { return Load<int32_t>(Stored(field)); }
bool TMemTable::AsBoolean(const TField& field) const { return Load<uint8_t>(Stored(field)) != 0; }
double TMemTable::AsFloat(const TField& field) const { return Load<double>(Stored(field)); }
int64_t TMemTable::AsCurrencyUnits(const TField& field) const {
  return Load<int64_t>(Stored(field));
}
int64_t TMemTable::AsLargeint(const TField& field) const { return Load<int64_t>(Stored(field)); }

size_t TMemTable::RecordSizeInMemory() const {
  size_t size = sizeof(TRecord);
  for (const TField& field : fields_) size += 1 + (field.Size > 0 ? field.Size : 8);
  return size;
}

void TMemTable::EndLoad() {
  // The records stay in load order, the only order a cursor of this program
  // follows; no other index is kept.
}

void TMemTable::StartRecord() {
  DiscardRecord();
  pending_mark_ = arena_.GetMark();
}

void TMemTable::StartOlderVersion() {
  TRecord* packed = TRecord::Pack(draft_, arena_);
  if (pending_ == nullptr) {
    pending_ = packed;
  } else {
    // Versions arrive newest first: each one packed goes to the chain's end.
    pending_tail_->ChainOlder(packed);
  }
  pending_tail_ = packed;
  draft_.Reset();
}

void TMemTable::SetBytes(int field, const void* bytes, size_t size) {
  draft_.Set(field, bytes, size);
}

void TMemTable::SetText(int field, std::string_view cp949) {
  const TField& f = fields_[field];
  if (IsSizedString(f.DataType)) {
    cp949 = cp949.substr(0, cp949.find('\0'));
    if (f.Size > 0 && cp949.size() > static_cast<size_t>(f.Size)) cp949 = cp949.substr(0, f.Size);
  }
  SetBytes(field, cp949.data(), cp949.size());
}

void TMemTable::SetInteger(int field, int32_t value) {
  if (fields_[field].DataType == ftAutoInc && value > auto_inc_) auto_inc_ = value;
  SetBytes(field, &value, sizeof value);
}

void TMemTable::SetBoolean(int field, bool value) {
  uint8_t byte = value ? 1 : 0;
  SetBytes(field, &byte, 1);
}

void TMemTable::SetFloat(int field, double value) { SetBytes(field, &value, sizeof value); }
void TMemTable::SetCurrency(int field, int64_t units) { SetBytes(field, &units, sizeof units); }
void TMemTable::SetLargeint(int field, int64_t value) { SetBytes(field, &value, sizeof value); }

void TMemTable::AppendRecord() {
  // The version being filled is the oldest; pack it and take the chain.
  StartOlderVersion();
  TRecord* record = pending_;
  records_.push_back(record);
  pending_ = pending_tail_ = nullptr;
  pending_mark_ = arena_.GetMark();
  record->SetNumbers(next_record_no_++, next_unique_no_++);
  if (record->Status() == usDeleted) ++deleted_count_;
}

void TMemTable::DiscardRecord() {
  if (pending_ != nullptr) arena_.Release(pending_mark_);
  pending_ = pending_tail_ = nullptr;
  draft_.Reset();
}

}  // namespace varnett
