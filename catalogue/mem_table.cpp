#include "catalogue/mem_table.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "catalogue/errors.h"
#include "catalogue/value_reader.h"
#include "text/cp949.h"

namespace varnett {

namespace {

template <typename T>
T Load(const std::string& bytes) {
  T value{};
  if (bytes.size() == sizeof value) std::memcpy(&value, bytes.data(), sizeof value);
  return value;
}

}  // namespace

TMemTable::TMemTable(std::string name, std::vector<TField> fields)
    : name_(std::move(name)), fields_(std::move(fields)) {
  for (size_t i = 0; i < fields_.size(); ++i) fields_[i].Index = static_cast<int>(i);
}

void TMemTable::ClearRecords() {
  slots_.Release();
  std::vector<TableLoad>().swap(loads_);
  deleted_count_ = 0;
  cursor_ = 0;
  at_end_ = true;
}

void TMemTable::LoadRecordsFromStream(MemoryStream& source) {
  ReadTableStream(DefaultFormat, *this, source);
}

void TMemTable::MoveFirst() {
  for (size_t i = 0; i < slots_.size(); ++i) {
    if (static_cast<uint8_t>(slots_[i]) != usDeleted) {
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

TRecord TMemTable::RecordAt(size_t index) const {
  // Loads are few, usually one: the last one that starts at or before it.
  size_t load = loads_.size() - 1;
  while (loads_[load].first_record > index) --load;
  const uint64_t slot = slots_[index];
  return TRecord(*this, loads_[load], ValuesAt(slot), static_cast<uint8_t>(slot),
                 static_cast<uint32_t>(index));
}

bool TMemTable::Read(const TField& field, std::string* stored) const {
  if (!OnRecord(field)) return false;
  return RecordAt(cursor_).Read(field.Index, stored);
}

bool TMemTable::IsNull(const TField& field) const { return !Read(field, nullptr); }

bool TMemTable::TextEqualsInStream(const TField& field, std::string_view text) const {
  if (!OnRecord(field)) return text.empty();
  if (StreamValueKindOf(field.DataType) != StreamValueKind::kText) return AsText(field) == text;
  return RecordAt(cursor_).TextEquals(field.Index, text);
}

std::string TMemTable::AsText(const TField& field) const {
  std::string stored;
  if (!Read(field, &stored)) return {};
  char buffer[64];
  switch (StreamValueKindOf(field.DataType)) {
    case StreamValueKind::kText:
      return stored;
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

template <typename T>
T TMemTable::As(const TField& field) const {
  std::string stored;
  Read(field, &stored);
  return Load<T>(stored);
}

int32_t TMemTable::AsInteger(const TField& field) const { return As<int32_t>(field); }
bool TMemTable::AsBoolean(const TField& field) const { return As<uint8_t>(field) != 0; }
double TMemTable::AsFloat(const TField& field) const { return As<double>(field); }
int64_t TMemTable::AsCurrencyUnits(const TField& field) const { return As<int64_t>(field); }
int64_t TMemTable::AsLargeint(const TField& field) const { return As<int64_t>(field); }

size_t TMemTable::BytesHeld() const {
  size_t held = slots_.BytesHeld() + loads_.capacity() * sizeof(TableLoad);
  for (size_t i = 0; i < loads_.size(); ++i) {
    // A stream loaded twice is held once.
    if (i == 0 || loads_[i].bytes != loads_[i - 1].bytes) held += loads_[i].bytes->capacity();
  }
  return held;
}

uint64_t TMemTable::Slot(size_t values_at, uint64_t first_text, uint8_t status) {
  // Streams are held in memory: an offset this large cannot be had.
  if (uint64_t{values_at} >> (64 - kOffsetShift)) throw std::bad_alloc();
  return uint64_t{values_at} << kOffsetShift | first_text | status;
}

// Reads the first field's value, which the load has just checked whole.
uint64_t TMemTable::LoadScope::FirstTextOf(size_t values_at) const {
  if (!first_is_text_) return 0;
  ValueReader in(base_ + values_at, static_cast<size_t>(end_ - base_) - values_at);
  if (null_flags_ && in.ReadBoolean()) return kFirstEmpty;
  char first;
  if (!LeadingCp949Byte(in.ReadStreamText(), &first)) return kFirstEmpty;
  return kFirstByte | uint64_t{static_cast<uint8_t>(first)} << 8;
}

TMemTable::LoadScope::LoadScope(TMemTable& table, std::shared_ptr<const ByteBuffer> bytes,
                                bool lists, bool null_flags, size_t most)
    : table_(table),
      base_(bytes->data()),
      end_(bytes->data() + bytes->size()),
      null_flags_(null_flags),
      first_is_text_(!table.fields_.empty() &&
                     StreamValueKindOf(table.fields_[0].DataType) == StreamValueKind::kText) {
  table_.loads_.push_back({std::move(bytes), table_.slots_.size(), lists, null_flags});
  table_.slots_.ReserveMore(most);
}

TMemTable::LoadScope::~LoadScope() {
  if (table_.loads_.back().first_record == table_.slots_.size()) table_.loads_.pop_back();
}

}  // namespace varnett
