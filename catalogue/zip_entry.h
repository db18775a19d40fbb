// One directory entry of the catalogue archive and the end record.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace varnett {

// The values of a zip64 extra block; each stands in for a classic field that
// holds all ones.
struct TZip64Values {
  uint64_t uncompressed_size = 0;
  uint64_t compressed_size = 0;
  uint64_t local_header_offset = 0;
  uint32_t disk_number_start = 0;
};

struct TZipEntry {
  uint16_t version_made_by = 0;
  uint16_t version_needed = 0;
  uint16_t flags = 0;
  uint16_t method = 0;
  uint32_t dos_date_time = 0;
  uint32_t crc32 = 0;
  uint32_t compressed_size = 0;
  uint32_t uncompressed_size = 0;
  uint16_t name_length = 0;
  uint16_t central_extra_length = 0;
  uint16_t local_extra_length = 0;
  uint16_t comment_length = 0;
  uint16_t disk_number_start = 0;
  uint16_t internal_attributes = 0;
  uint32_t external_attributes = 0;
  uint32_t local_header_offset = 0;
  uint64_t central_header_position = 0;
  std::string file_name;  // empty for a directory
  std::string directory;  // empty, or ending in "\"
  std::optional<TZip64Values> zip64;
  std::string comment;  // never filled
  bool selected = false;

  uint64_t CompressedSize() const {
    return compressed_size == 0xFFFFFFFFu && zip64 ? zip64->compressed_size : compressed_size;
  }
  uint64_t UncompressedSize() const {
    return uncompressed_size == 0xFFFFFFFFu && zip64 ? zip64->uncompressed_size : uncompressed_size;
  }
  uint64_t LocalHeaderOffset() const {
    return local_header_offset == 0xFFFFFFFFu && zip64 ? zip64->local_header_offset
                                                       : local_header_offset;
  }
  uint32_t DiskNumberStart() const {
    return disk_number_start == 0xFFFF && zip64 ? zip64->disk_number_start : disk_number_start;
  }
  std::string FullName() const { return directory + file_name; }
};

struct TZip64Locator {
  uint32_t record_disk = 0;
  uint64_t record_offset = 0;
  uint32_t total_disks = 0;
};

struct TZip64EndRecord {
  uint64_t record_size = 0;
  uint16_t version_made_by = 0;
  uint16_t version_needed = 0;
  uint32_t this_disk = 0;
  uint32_t directory_disk = 0;
  uint64_t entries_here = 0;
  uint64_t total_entries = 0;
  uint64_t directory_size = 0;
  uint64_t directory_offset = 0;
};

struct TEndRecord {
  uint16_t this_disk = 0;
  uint16_t directory_disk = 0;
  uint16_t entries_here = 0;
  uint16_t total_entries = 0;
  uint32_t directory_size = 0;
  uint32_t directory_offset = 0;
  uint16_t comment_length = 0;
  uint64_t comment_position = 0;
  std::optional<TZip64Locator> locator;
  std::optional<TZip64EndRecord> zip64;

  uint64_t ThisDisk() const { return this_disk == 0xFFFF && zip64 ? zip64->this_disk : this_disk; }
  uint64_t DirectoryDisk() const {
    return directory_disk == 0xFFFF && zip64 ? zip64->directory_disk : directory_disk;
  }
  uint64_t TotalEntries() const {
    return total_entries == 0xFFFF && zip64 ? zip64->total_entries : total_entries;
  }
  uint64_t DirectoryOffset() const {
    return directory_offset == 0xFFFFFFFFu && zip64 ? zip64->directory_offset : directory_offset;
  }
};

}  // namespace varnett
