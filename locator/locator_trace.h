// An optional observer of the locator: told every source tried, in order,
// with its outcome, so an operator can see why an edition was not found.
#pragma once

#include <string>

namespace varnett {

struct LocatorTrace {
  virtual ~LocatorTrace() = default;
  // One source and its outcome as a line of CP949 text, for example
  // `netmarble step 1 folder F1 "D:\Netmarble\NetmarbleSuddenAttack": not a folder`.
  virtual void Line(const std::string& text) = 0;
};

// `text` in double quotes, as the trace shows values.
inline std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace varnett
