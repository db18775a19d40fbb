#include "catalogue/field_value.h"

#include <string_view>

#include "catalogue/errors.h"
#include "catalogue/extended_real.h"

namespace varnett {

namespace {

// String fields hold a text cut at its first NUL byte and then at Size bytes.
bool IsSizedString(TFieldType type) {
  return type == ftString || type == ftFixedChar || type == ftWideString;
}

int64_t RoundedOrInvalid(long double value) {
  int64_t out;
  if (!RoundToInt64(value, &out)) throw EReadError("Invalid property value");
  return out;
}

template <typename T>
void Store(std::string* stored, T value) {
  if (stored != nullptr) stored->assign(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

std::string_view StoredText(TFieldType type, int size, std::string_view cp949) {
  if (IsSizedString(type)) {
    cp949 = cp949.substr(0, cp949.find('\0'));
    if (size > 0 && cp949.size() > static_cast<size_t>(size)) cp949 = cp949.substr(0, size);
  }
  return cp949;
}

bool ReadFieldValue(ValueReader& in, TFieldType type, int size, bool null_flags,
                    std::string* stored, int32_t* auto_inc) {
  if (null_flags && in.ReadBoolean()) return false;
  switch (StreamValueKindOf(type)) {
    case StreamValueKind::kText: {
      StreamText text = in.ReadStreamText();
      if (stored == nullptr) return true;  // any text converts: nothing to check
      std::string scratch;
      std::string_view cp949 = StoredText(type, size, TextInCp949(text, &scratch));
      stored->assign(cp949.data(), cp949.size());
      return true;
    }
    case StreamValueKind::kInteger: {
      int32_t value = in.ReadInteger();
      if (type == ftAutoInc && auto_inc != nullptr && value > *auto_inc) *auto_inc = value;
      Store(stored, value);
      return true;
    }
    case StreamValueKind::kBoolean:
      Store(stored, uint8_t{in.ReadBoolean()});
      return true;
    case StreamValueKind::kReal:
      break;
  }
  long double real = in.ReadReal();
  switch (type) {
    case ftCurrency:
    case ftBCD:
      Store(stored, RoundedOrInvalid(real * 10000));
      return true;
    case ftLargeint:
      Store(stored, RoundedOrInvalid(real));
      return true;
    case ftDate:
    case ftTime:
    case ftDateTime:
      if (real == 0) return false;
      Store(stored, ToDouble(real));
      return true;
    default:
      Store(stored, ToDouble(real));
      return true;
  }
}

}  // namespace varnett
