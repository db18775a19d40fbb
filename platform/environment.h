// Facts about the running process and its user.
#pragma once

#include <string>

namespace varnett {

struct Environment {
  virtual ~Environment() = default;
  // Absolute path of the running program file.
  virtual std::string ExecutablePath() = 0;
  // The user's documents folder; empty when the system reports none.
  virtual std::string DocumentsFolder() = 0;
};

}  // namespace varnett
