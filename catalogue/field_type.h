// Field types and field kinds of in-memory tables, with the names that table
// streams use for them in field definitions.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace varnett {

enum TFieldType : uint8_t {
  ftUnknown,
  ftString,
  ftSmallint,
  ftInteger,
  ftWord,
  ftBoolean,
  ftFloat,
  ftCurrency,
  ftBCD,
  ftDate,
  ftTime,
  ftDateTime,
  ftBytes,
  ftVarBytes,
  ftAutoInc,
  ftBlob,
  ftMemo,
  ftGraphic,
  ftFmtMemo,
  ftParadoxOle,
  ftDBaseOle,
  ftTypedBinary,
  ftCursor,
  ftFixedChar,
  ftWideString,
  ftLargeint,
  ftADT,
  ftArray,
  ftReference,
  ftDataSet,
  ftOraBlob,
  ftOraClob,
  ftVariant,
  ftInterface,
  ftIDispatch,
  ftGuid,
  ftTimeStamp,
  ftFMTBcd,
};
constexpr int kFieldTypeCount = ftFMTBcd + 1;

// The name written in field definitions ("String", "SmallInt", ...).
std::string_view FieldTypeName(TFieldType type);
// Exact, case-sensitive lookup of a type name; nullopt when the name is not
// known or names a type that field definitions may not use.
std::optional<TFieldType> AcceptedFieldType(std::string_view name);

enum TFieldKind : uint8_t { fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate };

std::string_view FieldKindName(TFieldKind kind);

// How a record value of a field of this type is held in a table stream.
enum class StreamValueKind { kText, kInteger, kBoolean, kReal };
StreamValueKind StreamValueKindOf(TFieldType type);

}  // namespace varnett
