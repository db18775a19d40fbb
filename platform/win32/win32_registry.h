#pragma once

#include "platform/registry.h"

namespace varnett {

class Win32Registry : public Registry {
 public:
  RegistryValue Read(RegistryRoot root, const std::string& key,
                     const std::string& value_name) override;
};

}  // namespace varnett
