#include "catalogue/field_type.h"

namespace varnett {

namespace {

struct TypeInfo {
  std::string_view name;
  bool accepted_in_definitions;
};

// Indexed by TFieldType.
constexpr TypeInfo kTypes[kFieldTypeCount] = {
    {"Unknown", false},     {"String", true},      {"SmallInt", true},  {"Integer", true},
    {"Word", true},         {"Boolean", true},     {"Float", true},     {"Currency", true},
    {"BCD", true},          {"Date", true},        {"Time", true},      {"DateTime", true},
    {"Bytes", true},        {"VarBytes", true},    {"AutoInc", true},   {"Blob", true},
    {"Memo", true},         {"Graphic", true},     {"FmtMemo", true},   {"ParadoxOle", true},
    {"dBaseOle", true},     {"TypedBinary", true}, {"Cursor", false},   {"FixedChar", true},
    {"WideString", false},  {"LargeInt", true},    {"ADT", true},       {"Array", true},
    {"Reference", false},   {"DataSet", false},    {"HugeBlob", true},  {"HugeClob", true},
    {"Variant", false},     {"Interface", false},  {"Dispatch", false}, {"Guid", false},
    {"SQLTimeStamp", true}, {"FMTBcdField", true},
};

constexpr std::string_view kKindNames[] = {"Data", "Calculated", "Lookup", "InternalCalc",
                                           "Aggregate"};

}  // namespace

std::string_view FieldTypeName(TFieldType type) {
  return type < kFieldTypeCount ? kTypes[type].name : std::string_view();
}

std::optional<TFieldType> AcceptedFieldType(std::string_view name) {
  for (int i = 0; i < kFieldTypeCount; ++i) {
    if (kTypes[i].name == name) {
      if (!kTypes[i].accepted_in_definitions) return std::nullopt;
      return static_cast<TFieldType>(i);
    }
  }
  return std::nullopt;
}

std::string_view FieldKindName(TFieldKind kind) {
  return kind <= fkAggregate ? kKindNames[kind] : std::string_view();
}

StreamValueKind StreamValueKindOf(TFieldType type) {
  switch (type) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      return StreamValueKind::kInteger;
    case ftBoolean:
      return StreamValueKind::kBoolean;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftLargeint:
      return StreamValueKind::kReal;
    default:
      return StreamValueKind::kText;
  }
}

}  // namespace varnett
