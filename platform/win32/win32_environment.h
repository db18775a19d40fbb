#pragma once

#include "platform/environment.h"

namespace varnett {

class Win32Environment : public Environment {
 public:
  std::string ExecutablePath() override;
  std::string DocumentsFolder() override;
};

}  // namespace varnett
