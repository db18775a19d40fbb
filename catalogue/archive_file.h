// The opened archive: sequential reading with absolute and relative seeks over
// a read-at-offset source, through an 8192-byte buffer. Reads past the end of
// the file deliver what is there; nothing outside the file is ever touched.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/file_system.h"

namespace varnett {

class ArchiveFile {
 public:
  explicit ArchiveFile(std::unique_ptr<ReadSource> source);

  uint64_t Size() const { return size_; }
  uint64_t Position() const { return position_; }
  void Seek(uint64_t position) { position_ = position; }
  // Moves relative to the current position; never before the start.
  void Skip(int64_t delta);
  // Reads up to `count` bytes at the position and advances past them.
  size_t Read(void* buffer, size_t count);
  // Reads one byte; false at the end of the file.
  bool ReadByte(uint8_t* byte) {
    if (position_ >= buffer_start_ && position_ < buffer_start_ + buffer_size_) {
      *byte = buffer_[position_++ - buffer_start_];
      return true;
    }
    return Read(byte, 1) == 1;
  }

 private:
  static constexpr size_t kBufferSize = 8192;
  bool Fill(uint64_t position);

  std::unique_ptr<ReadSource> source_;
  uint64_t size_ = 0;
  uint64_t position_ = 0;
  std::vector<uint8_t> buffer_;
  uint64_t buffer_start_ = 0;
  size_t buffer_size_ = 0;
};

}  // namespace varnett
