// The system's own words for an error code, in the language it speaks.
#pragma once

#include <string>

namespace varnett {

// The text as a clause, without its line break and closing full stop, so a
// caller can set it inside a sentence of its own (the error box adds the
// full stop back). Empty when the system has no text for the code.
std::u16string SystemErrorText(unsigned long code);

}  // namespace varnett
