#include "text/printable_utf8.h"

#include "text/conversions.h"
#include "text/cp949.h"
#include "text/cp949_encoder.h"
#include "text/lazy_pages.h"

namespace varnett {

namespace {

// The character of each pair of lead byte (the page) and trail byte, or 0
// when the pair is not one (UnitOfCp949Character). The user-defined area
// (private-use characters) has no meaning and only some conversion tables map
// it, so it never counts; that keeps the answer the same with either build's
// tables.
void FillPairs(unsigned lead, char16_t* characters) {
  for (unsigned trail = 0; trail < 256; ++trail) {
    const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    const char16_t unit = IsCp949LeadByte(static_cast<unsigned char>(lead)) &&
                                  IsCp949TrailByte(static_cast<unsigned char>(trail))
                              ? UnitOfCp949Character(std::string_view(pair, 2))
                              : 0;
    characters[trail] = unit >= 0xE000 && unit <= 0xF8FF ? 0 : unit;
  }
}

LazyPages<char16_t> g_pairs(&FillPairs);

void AppendHex(std::string& out, unsigned char c) {
  static const char kDigits[] = "0123456789ABCDEF";
  out += "\\x";
  out += kDigits[c >> 4];
  out += kDigits[c & 15];
}

template <typename EscapeAscii>
std::string ToUtf8(std::string_view cp949, EscapeAscii escape) {
  std::string out;
  out.reserve(cp949.size());
  for (size_t i = 0; i < cp949.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(cp949[i]);
    if (c < 0x80) {
      escape(out, static_cast<char>(c));
      continue;
    }
    if (CharacterSize(cp949, i) == 2) {
      const char16_t character = g_pairs.At((c << 8) | static_cast<unsigned char>(cp949[i + 1]));
      if (character != 0) {
        AppendUtf8(character, &out);
        ++i;
        continue;
      }
    }
    AppendHex(out, c);
  }
  return out;
}

}  // namespace

std::string EscapedUtf8(std::string_view cp949) {
  return ToUtf8(cp949, [](std::string& out, char c) {
    switch (c) {
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  });
}

std::string OneLineUtf8(std::string_view cp949) {
  return ToUtf8(cp949, [](std::string& out, char c) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  });
}

}  // namespace varnett
