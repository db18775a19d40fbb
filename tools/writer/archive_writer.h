// Writes catalogue archives: the ZIP layout with the catalogue's record
// signatures (or the standard ones, for comparing with other tools). Members
// are stored or deflated here; any other method can be written from bytes
// compressed elsewhere. Test support and tools only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnett {

struct ArchiveMember {
  std::string name;  // "/" or "\" separators, written as given
  std::string data;  // the uncompressed bytes
  uint16_t method = 8;
  // Bytes already compressed by `method` (required for methods other than 0
  // and 8); the data is then used only for the CRC-32 and the size.
  std::optional<std::string> compressed;
  uint16_t flags = 0;
  bool zip64 = false;                // sizes and offset in a zip64 extra block
  bool data_descriptor = false;      // sizes and CRC after the data (flag bit 3)
  bool descriptor_signature = true;  // the data descriptor's optional signature
  std::string comment;
  uint16_t version_made_by = 20;  // host 0 (MS-DOS)
  uint32_t dos_date_time = 0x5A210000;
  // Damage on request: recorded values that differ from the truth.
  std::optional<uint32_t> crc32;
  std::optional<uint64_t> uncompressed_size;
  std::optional<uint64_t> compressed_size;
};

struct ArchiveOptions {
  std::string comment;
  bool zip64_end = false;            // zip64 end record and locator
  bool standard_signatures = false;  // "PK" signatures instead of ours
};

// The whole archive file.
std::string WriteArchive(const std::vector<ArchiveMember>& members,
                         const ArchiveOptions& options = {});

// Raw deflate (no zlib header or trailer) at the given level.
std::string DeflateRaw(const std::string& data, int level = 6);

}  // namespace varnett
