// The folders the commands work on, found once when the window is first shown.
#pragma once

#include <string>

namespace varnett {

struct EditionPaths {
  std::string DocumentsFolder;
  std::string HideFolder;
  std::string NetmarbleFolder;  // empty: the edition was not found
  std::string NexonFolder;      // empty: the edition was not found
};

}  // namespace varnett
