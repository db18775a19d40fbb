// A member's compressed bytes in memory, fed to a decoder, and what the
// decoder writes, kept or only counted: the decoders run without an archive
// around them, for the fuzzers and the oracle tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "catalogue/errors.h"
#include "catalogue/member_io.h"

namespace varnett {

class BufferInput : public MemberInput {
 public:
  BufferInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  size_t Read(uint8_t* buffer, size_t count) override {
    size_t n = count < size_ - at_ ? count : size_ - at_;
    if (n) std::memcpy(buffer, data_ + at_, n);
    at_ += n;
    return n;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

class DiscardOutput : public MemberOutput {
 public:
  uint64_t Position() const override { return position_; }
  size_t Write(const uint8_t*, size_t count) override {
    position_ += count;
    return count;
  }

 private:
  uint64_t position_ = 0;
};

// Keeps every byte written, for comparing with another decoder.
class CollectOutput : public MemberOutput {
 public:
  std::string bytes;
  uint64_t Position() const override { return bytes.size(); }
  size_t Write(const uint8_t* data, size_t count) override {
    bytes.append(reinterpret_cast<const char*>(data), count);
    return count;
  }
};

// What a decoder writes of `size` compressed bytes recorded as `claim` bytes
// long: whole chunks up to an error, all of it otherwise.
template <typename Decode>
std::string DecodeBytes(const uint8_t* data, size_t size, uint64_t claim, Decode decode) {
  BufferInput input(data, size);
  CollectOutput output;
  std::vector<uint8_t> in(MemberIO::kBufferSize), out(MemberIO::kBufferSize);
  MemberIO io(input, output, in.data(), out.data(), size, claim, true);
  try {
    decode(io);
  } catch (const CatalogueError&) {
  }
  return output.bytes;
}

}  // namespace varnett
