#include "catalogue/table_dump.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/text.h"
#include "text/cp949.h"

namespace varnett {

namespace {

bool IsTrailByte(unsigned char c) {
  return (c >= 0x41 && c <= 0x5A) || (c >= 0x61 && c <= 0x7A) || (c >= 0x81 && c <= 0xFE);
}

// The UTF-8 of a two-byte CP949 character, or "" when the pair is not one.
// A pair counts only when it converts to one character that converts back
// to the same pair. The user-defined area (private-use characters) has no
// meaning and only some conversion tables map it, so it never counts; that
// keeps the answer the same with either build's tables.
std::string_view PairUtf8(unsigned char lead, unsigned char trail) {
  // Remembered per lead byte, a page made when the first of its pairs is
  // asked for: a lookup prints a handful of pairs, and a table for all 65,536
  // would cost more to make than the lookup itself.
  struct Known {
    bool asked = false;
    uint8_t size = 0;
    char utf8[3];  // one character of the basic plane
  };
  static std::unique_ptr<Known[]> pages[256];
  std::unique_ptr<Known[]>& page = pages[lead];
  if (!page) page.reset(new Known[256]);
  Known& known = page[trail];
  if (!known.asked) {
    const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    std::u16string wide = Cp949ToUtf16(std::string_view(pair, 2));
    bool private_use = !wide.empty() && wide[0] >= 0xE000 && wide[0] <= 0xF8FF;
    if (wide.size() == 1 && wide[0] != u'\uFFFD' && !private_use &&
        Utf16ToCp949(wide) == std::string(pair, 2)) {
      std::string utf8 = Utf16ToUtf8(wide);
      known.size = static_cast<uint8_t>(utf8.size());
      utf8.copy(known.utf8, sizeof known.utf8);
    }
    known.asked = true;
  }
  return std::string_view(known.utf8, known.size);
}

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
      unsigned char t = static_cast<unsigned char>(cp949[i + 1]);
      if (IsTrailByte(t)) {
        const std::string_view utf8 = PairUtf8(c, t);
        if (!utf8.empty()) {
          out += utf8;
          ++i;
          continue;
        }
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
      case '\\':
        out += "\\\\";
        break;
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

std::string DumpVisibleRecords(TMemTable& table) {
  const std::vector<TField>& fields = table.Fields();
  std::string out;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) out += '\t';
    out += EscapedUtf8(fields[i].FieldName);
  }
  out += '\n';
  for (table.MoveFirst(); !table.AtEnd(); table.MoveNext()) {
    for (size_t i = 0; i < fields.size(); ++i) {
      if (i) out += '\t';
      out += table.IsNull(fields[i]) ? "\\N" : EscapedUtf8(table.AsText(fields[i]));
    }
    out += '\n';
  }
  return out;
}

}  // namespace varnett
