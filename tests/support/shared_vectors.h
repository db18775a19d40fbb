// The shared test data beside the source tree: vectors written by encoders we
// did not write. VARNETT_SHARED_DIR may point elsewhere (a worktree, a copy of
// the tree).
#pragma once

#include <cstdlib>
#include <string>

namespace varnett {

// The legacy methods' vectors, with a '/' at the end: one member per archive,
// its original beside it, all listed in MANIFEST.tsv.
inline std::string LegacyVectorsFolder() {
  const char* dir = std::getenv("VARNETT_SHARED_DIR");
  return std::string(dir ? dir : VARNETT_SOURCE_DIR "/../shared") + "/vectors/legacy/";
}

}  // namespace varnett
