// Functions looked up by name in a loaded library: those newer than the
// oldest supported Windows, and those of a library loaded only when needed.
#pragma once

#include <windows.h>

namespace varnett {

// `name` from `module` as a `Fn`, or null when the module is null or lacks it.
template <typename Fn>
Fn ModuleFunction(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace varnett
