#pragma once

#include <string>

#include "platform/environment.h"

namespace varnett {

class SimEnvironment : public Environment {
 public:
  std::string executable_path = "C:\\Tools\\Varnett.exe";
  std::string documents_folder = "C:\\Users\\guest\\Documents";

  std::string ExecutablePath() override { return executable_path; }
  std::string DocumentsFolder() override { return documents_folder; }
};

}  // namespace varnett
