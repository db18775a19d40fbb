// A growable byte buffer with a size and a position. The archive reader
// extracts a member into one; the table loader then reads it from its
// current position and keeps the bytes as they are, without a copy: Share()
// hands out the buffer, and the stream copies it before changing it again.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "catalogue/byte_buffer.h"

namespace varnett {

class MemoryStream {
 public:
  MemoryStream() : bytes_(std::make_shared<ByteBuffer>()) {}
  explicit MemoryStream(std::string_view bytes) : bytes_(std::make_shared<ByteBuffer>(bytes)) {}

  size_t Size() const { return bytes_->size(); }
  size_t Position() const { return position_; }
  // Bytes from the position to the end; none when the position is past it.
  size_t Remaining() const { return position_ < bytes_->size() ? bytes_->size() - position_ : 0; }
  // The position may lie past the end: reads there give nothing and a write
  // there first fills the gap with zero bytes.
  void Seek(size_t position) { position_ = position; }

  // Copies up to `count` bytes from the position on and advances past them;
  // returns how many were copied.
  size_t Read(void* buffer, size_t count) {
    if (position_ >= bytes_->size()) return 0;
    size_t n = std::min(count, bytes_->size() - position_);
    if (n != 0) std::memcpy(buffer, bytes_->data() + position_, n);
    position_ += n;
    return n;
  }

  // Writes at the position, growing the buffer as needed, and advances.
  void Write(const void* data, size_t count) {
    if (count == 0) return;
    ByteBuffer& bytes = Own();
    if (position_ + count > bytes.size()) bytes.Resize(position_ + count);
    std::memcpy(bytes.data() + position_, data, count);
    position_ += count;
  }
  void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }

  // Grows with zero bytes or cuts; a position past the new end moves to it.
  void SetSize(size_t size) {
    Own().Resize(size);
    position_ = std::min(position_, size);
  }
  // Reserves room for `capacity` bytes without changing the size.
  void Reserve(size_t capacity) { Own().Reserve(capacity); }
  void Clear() {
    Own().Resize(0);
    position_ = 0;
  }

  std::string_view Bytes() const { return bytes_->view(); }
  const char* Data() const { return bytes_->data(); }
  // The bytes in place, for filling a region sized beforehand.
  char* MutableData() { return Own().data(); }

  // The bytes as they are now, kept alive for as long as the holder wants;
  // later changes to the stream do not reach them.
  std::shared_ptr<const ByteBuffer> Share() const { return bytes_; }

 private:
  // The buffer, copied first when someone else holds it too.
  ByteBuffer& Own() {
    if (bytes_.use_count() > 1) bytes_ = std::make_shared<ByteBuffer>(*bytes_);
    return *bytes_;
  }

  std::shared_ptr<ByteBuffer> bytes_;
  size_t position_ = 0;
};

}  // namespace varnett
