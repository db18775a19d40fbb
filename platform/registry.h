// Read-only access to the registry. Keys are opened, never created.
#pragma once

#include <string>

namespace varnett {

enum class RegistryRoot { kCurrentUser, kLocalMachine };

struct RegistryValue {
  enum class Kind {
    kMissing,    // the key or the value does not exist
    kText,       // REG_SZ or REG_EXPAND_SZ (not expanded), up to its first NUL
    kOtherType,  // exists but holds something other than text
  };
  Kind kind = Kind::kMissing;
  std::string text;  // CP949
};

struct Registry {
  virtual ~Registry() = default;
  virtual RegistryValue Read(RegistryRoot root, const std::string& key,
                             const std::string& value_name) = 0;
};

}  // namespace varnett
