#include "catalogue/archive_file.h"

#include <algorithm>
#include <cstring>

namespace varnett {

ArchiveFile::ArchiveFile(std::unique_ptr<ReadSource> source)
    : source_(std::move(source)), size_(source_->Size()), buffer_(kBufferSize) {}

void ArchiveFile::Skip(int64_t delta) {
  if (delta < 0 && uint64_t(-delta) > position_) {
    position_ = 0;
  } else if (delta > 0 && uint64_t(delta) > UINT64_MAX - position_) {
    position_ = UINT64_MAX;
  } else {
    position_ += uint64_t(delta);
  }
}

bool ArchiveFile::Fill(uint64_t position) {
  buffer_start_ = position;
  buffer_size_ = 0;
  if (position >= size_) return false;
  size_t n = size_t(std::min<uint64_t>(kBufferSize, size_ - position));
  if (!source_->ReadAt(position, buffer_.data(), n)) return false;
  buffer_size_ = n;
  return true;
}

size_t ArchiveFile::Read(void* buffer, size_t count) {
  uint8_t* out = static_cast<uint8_t*>(buffer);
  size_t done = 0;
  while (done < count && position_ < size_) {
    if (position_ >= buffer_start_ && position_ < buffer_start_ + buffer_size_) {
      size_t at = size_t(position_ - buffer_start_);
      size_t n = std::min(count - done, buffer_size_ - at);
      std::memcpy(out + done, buffer_.data() + at, n);
      done += n;
      position_ += n;
      continue;
    }
    size_t want = count - done;
    if (want >= kBufferSize) {
      // Large reads (member data) go straight to the caller's buffer.
      size_t n = size_t(std::min<uint64_t>(want, size_ - position_));
      if (!source_->ReadAt(position_, out + done, n)) break;
      done += n;
      position_ += n;
      continue;
    }
    if (!Fill(position_)) break;
  }
  return done;
}

}  // namespace varnett
