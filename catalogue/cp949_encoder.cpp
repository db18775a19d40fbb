#include "catalogue/cp949_encoder.h"

#include <atomic>
#include <cstdint>
#include <mutex>

#include "platform/text.h"
#include "text/cp949.h"

namespace varnett {

namespace {

// A character's CP949 bytes: one byte in the low 8 bits (high byte zero), or
// a lead byte in the high 8 bits and a trail byte in the low ones.
using Page = uint16_t[256];

std::atomic<const uint16_t*> g_pages[256];
std::mutex g_fill;

bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

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

const uint16_t* FillPage(unsigned page) {
  std::lock_guard<std::mutex> lock(g_fill);
  const uint16_t* done = g_pages[page].load(std::memory_order_acquire);
  if (done) return done;
  uint16_t* codes = new uint16_t[256];  // kept for the life of the process
  if (!SplitPage(page, codes)) {
    for (unsigned i = 0; i < 256; ++i) codes[i] = CodeOfOne(static_cast<char16_t>((page << 8) | i));
  }
  g_pages[page].store(codes, std::memory_order_release);
  return codes;
}

// The character's code as described above; `unit` is not a surrogate.
inline uint16_t CodeOf(char16_t unit) {
  if (unit < 0x80) return unit;
  unsigned page = unit >> 8;
  const uint16_t* codes = g_pages[page].load(std::memory_order_acquire);
  if (!codes) codes = FillPage(page);
  return codes[unit & 0xFF];
}

inline char* Put(uint16_t code, char* dst) {
  if (code > 0xFF) *dst++ = static_cast<char>(code >> 8);
  *dst++ = static_cast<char>(code & 0xFF);
  return dst;
}

// Each surrogate is a unit CP949 cannot show, paired or not.
inline char* PutUnit(char16_t unit, char* dst) {
  if (!IsSurrogate(unit)) return Put(CodeOf(unit), dst);
  *dst = '?';
  return dst + 1;
}

// One character of table-stream UTF-8 (see AppendCp949FromUtf8): its unit,
// and where the next one starts; null when the sequence is malformed or cut
// off.
const unsigned char* NextUtf8Unit(const unsigned char* p, const unsigned char* end,
                                  char16_t* unit) {
  auto continuation = [&](const unsigned char* at) { return at < end && (*at & 0xC0) == 0x80; };
  const unsigned c = *p;
  if (c < 0x80) {
    *unit = static_cast<char16_t>(c);
    return p + 1;
  }
  if ((c & 0x20) == 0) {
    if (!continuation(p + 1)) return nullptr;
    *unit = static_cast<char16_t>(((c & 0x1F) << 6) | (p[1] & 0x3F));
    return p + 2;
  }
  if (!continuation(p + 1) || !continuation(p + 2)) return nullptr;
  *unit = static_cast<char16_t>(((c & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
  return p + 3;
}

char FirstByteOf(char16_t unit) {
  char bytes[2];
  PutUnit(unit, bytes);
  return bytes[0];
}

}  // namespace

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
    p = NextUtf8Unit(p, end, &unit);
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
  if (utf8.empty() || NextUtf8Unit(p, p + utf8.size(), &unit) == nullptr) return false;
  *first = FirstByteOf(unit);
  return true;
}

}  // namespace varnett
