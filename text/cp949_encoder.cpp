#include "text/cp949_encoder.h"

#include "text/conversions.h"
#include "text/cp949.h"
#include "text/lazy_pages.h"

namespace varnett {

namespace {

// One character at a time, for a page whose conversion does not split
// cleanly into characters.
uint16_t CodeOfOne(char16_t unit) {
  std::string bytes = IsSurrogate(unit) ? "?" : Utf16ToCp949(std::u16string_view(&unit, 1));
  if (bytes.size() == 1) return static_cast<unsigned char>(bytes[0]);
  if (bytes.size() == 2)
    return static_cast<uint16_t>((static_cast<unsigned char>(bytes[0]) << 8) |
                                 static_cast<unsigned char>(bytes[1]));
  return '?';
}

// The whole page in one conversion, split back into characters by their
// lead bytes: a call per character costs far more than the table itself
// where the conversion crosses into the system (the Hangul pages alone are
// 11,000 characters). Surrogates stand in as "?", as they do one by one.
bool SplitPage(unsigned page, uint16_t* codes) {
  char16_t units[256];
  for (unsigned i = 0; i < 256; ++i) {
    char16_t unit = static_cast<char16_t>((page << 8) | i);
    units[i] = IsSurrogate(unit) ? u'?' : unit;
  }
  std::string bytes = Utf16ToCp949(std::u16string_view(units, 256));
  size_t at = 0;
  for (unsigned i = 0; i < 256; ++i) {
    if (at >= bytes.size()) return false;
    unsigned char lead = static_cast<unsigned char>(bytes[at]);
    if (IsCp949LeadByte(lead)) {
      if (at + 1 >= bytes.size()) return false;
      codes[i] = static_cast<uint16_t>((lead << 8) | static_cast<unsigned char>(bytes[at + 1]));
      at += 2;
    } else {
      codes[i] = lead;
      at += 1;
    }
  }
  return at == bytes.size();
}

void FillCodes(unsigned page, uint16_t* codes) {
  if (SplitPage(page, codes)) return;
  for (unsigned i = 0; i < 256; ++i) codes[i] = CodeOfOne(static_cast<char16_t>((page << 8) | i));
}

LazyPages<uint16_t> g_codes(&FillCodes);

inline char* Put(uint16_t code, char* dst) {
  if (code > 0xFF) *dst++ = static_cast<char>(code >> 8);
  *dst++ = static_cast<char>(code & 0xFF);
  return dst;
}

inline char* PutUnit(char16_t unit, char* dst) { return Put(Cp949CodeOf(unit), dst); }

char FirstByteOf(char16_t unit) {
  char bytes[2];
  PutUnit(unit, bytes);
  return bytes[0];
}

}  // namespace

uint16_t Cp949CodeOf(char16_t unit) {
  if (unit < 0x80) return unit;
  // Each surrogate is a unit CP949 cannot show, paired or not.
  if (IsSurrogate(unit)) return '?';
  return g_codes.At(unit);
}

char16_t UnitOfCp949Character(std::string_view character) {
  if (character.empty() || character.size() > 2) return 0;
  const std::u16string wide = Cp949ToUtf16(character);
  if (wide.size() != 1) return 0;
  uint16_t code = static_cast<unsigned char>(character[0]);
  if (character.size() == 2)
    code = static_cast<uint16_t>((code << 8) | static_cast<unsigned char>(character[1]));
  return Cp949CodeOf(wide[0]) == code ? wide[0] : 0;
}

void AppendCp949(std::u16string_view utf16, std::string* out) {
  // Never more than two bytes per unit.
  const size_t start = out->size();
  out->resize(start + 2 * utf16.size());
  char* dst = out->data() + start;
  for (size_t i = 0; i < utf16.size(); ++i) {
    dst = PutUnit(utf16[i], dst);
  }
  out->resize(dst - out->data());
}

bool AppendCp949FromUtf8(std::string_view utf8, std::string* out) {
  // A character takes at most as many bytes in CP949 as in UTF-8.
  const size_t start = out->size();
  out->resize(start + utf8.size());
  char* dst = out->data() + start;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const unsigned char* end = p + utf8.size();
  while (p < end) {
    char16_t unit;
    p = NextLenientUtf8Unit(p, end, &unit);
    if (p == nullptr) {
      out->resize(start);
      return false;
    }
    dst = PutUnit(unit, dst);
  }
  out->resize(dst - out->data());
  return true;
}

bool FirstCp949Byte(std::u16string_view utf16, char* first) {
  if (utf16.empty()) return false;
  *first = FirstByteOf(utf16[0]);
  return true;
}

bool FirstCp949ByteFromUtf8(std::string_view utf8, char* first) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8.data());
  char16_t unit;
  if (utf8.empty() || NextLenientUtf8Unit(p, p + utf8.size(), &unit) == nullptr) return false;
  *first = FirstByteOf(unit);
  return true;
}

}  // namespace varnett
