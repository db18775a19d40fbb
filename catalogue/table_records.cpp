#include "catalogue/table_records.h"

#include <array>
#include <cstring>

#include "catalogue/field_value.h"

namespace varnett {

void ReadRecord(ValueReader& in, const std::vector<TField>& fields, bool lists, bool null_flags,
                uint8_t* status, const char** values, int32_t* auto_inc) {
  *status = 0;
  if (lists) {
    in.ReadListBegin();
    *status = static_cast<uint8_t>(in.ReadInteger());
  }
  *values = in.Here();
  for (;;) {
    for (const TField& f : fields) {
      ReadFieldValue(in, f.DataType, f.Size, null_flags, nullptr, auto_inc);
    }
    if (!lists || in.EndOfList()) break;
    in.ReadInteger();  // an older version's update status
  }
  if (lists) in.ReadListEnd();
}

namespace {

uint32_t LoadU32(const char* p) {
  const unsigned char* b = reinterpret_cast<const unsigned char*>(p);
  return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

// The fields of one version, each null or a text; the end of the last, or
// null when a field is not a text or runs past `end`.
const char* CheckTextFields(const char* p, const char* end, int field_count, bool null_flags) {
  // Each field's head (null flag, tag, length of at most 4 bytes) needs no
  // check of its own while there is room for the longest; only the text's
  // own length is checked then. The last few bytes of a stream are read with
  // every step checked.
  constexpr ptrdiff_t kLongestHead = 1 + 1 + 4;
  for (int i = 0; i < field_count; ++i) {
    const bool head_fits = end - p >= kLongestHead;
    if (null_flags) {
      if (!head_fits && p == end) return nullptr;
      if (*p++ == kTagTrue) continue;
    }
    if (!head_fits && p == end) return nullptr;
    const uint8_t tag = static_cast<uint8_t>(*p++);
    uint64_t size;
    if (tag == kTagShortText) {
      if (!head_fits && p == end) return nullptr;
      size = static_cast<uint8_t>(*p++);
    } else if (tag == kTagLongText || tag == kTagUtf8Text || tag == kTagWideText) {
      if (!head_fits && end - p < 4) return nullptr;
      const uint32_t n = LoadU32(p);
      p += 4;
      if (n > 0x7FFFFFFFu) return nullptr;
      size = tag == kTagWideText ? uint64_t{n} * 2 : n;
    } else {
      return nullptr;
    }
    if (size > static_cast<uint64_t>(end - p)) return nullptr;
    p += size;
  }
  return p;
}

}  // namespace

const char* CheckTextRecord(const char* p, const char* end, int field_count, bool lists,
                            bool null_flags, uint8_t* status, const char** values) {
  auto integer = [&](int32_t* out) {
    if (p == end) return false;
    const uint8_t tag = static_cast<uint8_t>(*p++);
    const ptrdiff_t width = tag == kTagInt8 ? 1 : tag == kTagInt16 ? 2 : tag == kTagInt32 ? 4 : 0;
    if (width == 0 || end - p < width) return false;
    const unsigned char* b = reinterpret_cast<const unsigned char*>(p);
    *out = width == 1   ? static_cast<int8_t>(b[0])
           : width == 2 ? static_cast<int16_t>(b[0] | (b[1] << 8))
                        : static_cast<int32_t>(LoadU32(p));
    p += width;
    return true;
  };
  int32_t value = 0;
  if (lists) {
    if (p == end || *p++ != kTagStartOfList || !integer(&value)) return nullptr;
  }
  *status = static_cast<uint8_t>(value);
  *values = p;
  // A version whose fields are all null is a run of null flags, compared in
  // one go: a catalogue padded with empty records is mostly such runs.
  static const std::array<char, 64> kAllNull = [] {
    std::array<char, 64> flags;
    flags.fill(static_cast<char>(kTagTrue));
    return flags;
  }();
  const bool runs = null_flags && field_count <= static_cast<int>(kAllNull.size());
  for (;;) {
    if (runs && end - p >= field_count &&
        std::memcmp(p, kAllNull.data(), static_cast<size_t>(field_count)) == 0) {
      p += field_count;
    } else {
      p = CheckTextFields(p, end, field_count, null_flags);
      if (p == nullptr) return nullptr;
    }
    if (!lists) return p;
    if (p == end) return nullptr;
    if (*p == kTagEndOfList) return p + 1;
    if (!integer(&value)) return nullptr;  // an older version's status
  }
}

}  // namespace varnett
