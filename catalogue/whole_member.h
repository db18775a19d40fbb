// The fast way through a sound member. Almost every catalogue member is
// sound: all of its recorded bytes are in the file, and they decode to
// exactly its recorded size with its CRC-32. Such a member is read in one
// block and decoded in one call straight into the target. Nothing is decided
// here: when a member does not come out whole, the caller clears what was
// written and runs the exact decoder from the member's start, which alone
// says what the target holds, what is raised and which box is shown.
#pragma once

#include <cstdint>

#include "catalogue/archive_file.h"
#include "catalogue/zip_entry.h"

namespace varnett {

enum class WholeMember {
  kWhole,      // `out` holds exactly the member, of its recorded size and CRC-32
  kUntouched,  // not a member of a kind tried here; `out` was not written
  kNotWhole,   // tried and not whole; `out` holds bytes of no meaning
};

// Decodes `entry`, whose data starts at `data_start` in `file`, into `out`
// (room for its uncompressed size) when it is stored or deflated and its
// recorded bytes all lie inside the file. Moves the file's position.
WholeMember ExtractWholeMember(ArchiveFile& file, const TZipEntry& entry, uint64_t data_start,
                               uint8_t* out);

}  // namespace varnett
