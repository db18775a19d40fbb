// The default error box shows an error's message as a sentence.
#pragma once

#include <string>

namespace varnett {

// The message with "." appended when its last byte sorts after ".".
// Comparing the last byte is enough: both bytes of a double-byte CP949
// character sort after ".", like its lead byte.
inline std::string WithFullStop(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

}  // namespace varnett
