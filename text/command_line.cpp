#include "text/command_line.h"

#include "text/cp949.h"

namespace varnett {

std::string QuotedArgument(std::string_view cp949) {
  std::string quoted = "\"";
  size_t backslashes = 0;  // in a row, just written
  for (size_t at = 0; at < cp949.size();) {
    const size_t size = CharacterSize(cp949, at);
    const char c = cp949[at];
    if (size == 1 && c == '"') {
      // The run becomes literal backslashes, then the quote itself.
      quoted.append(backslashes + 1, '\\');
      backslashes = 0;
    } else {
      backslashes = size == 1 && c == '\\' ? backslashes + 1 : 0;
    }
    quoted.append(cp949.substr(at, size));
    at += size;
  }
  // Doubled, so that the closing quote ends the argument.
  quoted.append(backslashes, '\\');
  return quoted + "\"";
}

}  // namespace varnett
