#include "text/text_case.h"

namespace varnett {

UpperCaseMap BuildUpperCaseMap(TextCase& text_case) {
  std::string table(256, '\0');
  for (int i = 0; i < 256; ++i) table[i] = static_cast<char>(i);
  std::string upper = text_case.UpperCase(table);
  UpperCaseMap map;
  for (int i = 0; i < 256; ++i)
    map[i] = static_cast<unsigned char>(upper.size() == table.size() ? upper[i] : table[i]);
  return map;
}

}  // namespace varnett
