// The locator's records as the operator reads them: one line of CP949 text
// per record, for example
// `netmarble step 1 folder F1 "D:\Netmarble\NetmarbleSuddenAttack": not a folder`.
#pragma once

#include <string>
#include <string_view>

#include "locator/locator_trace.h"

namespace varnett {

std::string TraceLine(const LocatorStep& step);

// `text` in double quotes, as the trace shows values.
inline std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace varnett
