#include "locator/install_locator.h"

namespace varnett {

// Placeholder until the locator lands: finds nothing.
void InstallLocator::Run(EditionPaths& paths) {
  paths.DocumentsFolder = platform_.environment.DocumentsFolder();
  paths.HideFolder = "D:\\PLX";
}

}  // namespace varnett
