#include "text/utf8.h"

#include <cstdint>

namespace varnett {

namespace {
constexpr char16_t kReplacement = 0xFFFD;
}  // namespace

void AppendUtf8(char32_t cp, std::string* out) {
  if (cp < 0x80) {
    *out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out += static_cast<char>(0xC0 | (cp >> 6));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *out += static_cast<char>(0xE0 | (cp >> 12));
    *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (cp >> 18));
    *out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  size_t i = 0;
  const size_t n = utf8.size();
  while (i < n) {
    unsigned char b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out += static_cast<char16_t>(b);
      ++i;
      continue;
    }
    int need;
    uint32_t cp;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
      need = 1, cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      need = 2, cp = b & 0x0F;
      if (b == 0xE0) lo = 0xA0;
      if (b == 0xED) hi = 0x9F;  // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
      need = 3, cp = b & 0x07;
      if (b == 0xF0) lo = 0x90;
      if (b == 0xF4) hi = 0x8F;
    } else {
      out += kReplacement;
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool ok = true;
    for (int k = 0; k < need; ++k, ++j) {
      unsigned char c = j < n ? static_cast<unsigned char>(utf8[j]) : 0;
      unsigned char min = k == 0 ? lo : 0x80, max = k == 0 ? hi : 0xBF;
      if (j >= n || c < min || c > max) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok) {
      out += kReplacement;
      i = j;  // skip the maximal subpart seen so far
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i = j;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3);
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t u = utf16[i];
    if (IsHighSurrogate(u) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
      u = 0x10000 + ((u - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (IsSurrogate(u)) {
      u = kReplacement;
    }
    AppendUtf8(u, &out);
  }
  return out;
}

const unsigned char* NextLenientUtf8Unit(const unsigned char* p, const unsigned char* end,
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

}  // namespace varnett
