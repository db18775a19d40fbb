// The channels between a member's decoder and the world: compressed bytes come
// in through ReadInputByte, decoded bytes leave through FlushOutput, which
// bounds them by the recorded uncompressed size and folds them into the CRC.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace varnett {

// Where compressed bytes come from: the archive file from the member's data on.
struct MemberInput {
  virtual ~MemberInput() = default;
  // Reads up to `count` bytes sequentially; fewer at the end of the file.
  virtual size_t Read(uint8_t* buffer, size_t count) = 0;
  // Moves past up to `count` bytes; fewer at the end of the file. Returns how
  // many were passed. Sources that can seek should not read them.
  virtual size_t Skip(size_t count) {
    uint8_t scratch[4096];
    size_t passed = 0;
    while (passed < count) {
      const size_t n = Read(scratch, std::min(sizeof scratch, count - passed));
      passed += n;
      if (n == 0) break;
    }
    return passed;
  }
};

// Where decoded bytes go: the target stream.
struct MemberOutput {
  virtual ~MemberOutput() = default;
  virtual uint64_t Position() const = 0;
  // Writes at the position and advances; returns how many bytes were taken.
  virtual size_t Write(const uint8_t* data, size_t count) = 0;
  // The target's own memory for `count` bytes at the position, when they
  // exist already (the target was sized beforehand); null otherwise.
  virtual uint8_t* Place(size_t count) {
    (void)count;
    return nullptr;
  }
  // Moves past `count` bytes written into the memory Place gave.
  virtual void Advance(size_t count) { (void)count; }
};

class MemberIO {
 public:
  static constexpr size_t kBufferSize = 32768;

  // `in_buffer` and `out_buffer` hold kBufferSize bytes each and outlive this.
  MemberIO(MemberInput& input, MemberOutput& output, uint8_t* in_buffer, uint8_t* out_buffer,
           uint64_t compressed_size, uint64_t uncompressed_size, bool single_part);

  // The next compressed byte, or -1 when there is none. Raises
  // EFatalUnzipError when a single-part archive ends inside the member.
  int ReadInputByte() {
    if (remaining_input_ <= 0) {
      --remaining_input_;
      return -1;
    }
    --remaining_input_;
    if (input_count_ == 0 && !LoadInput()) return -1;
    --input_count_;
    return in_buffer_[input_pos_++];
  }

  // Loads the next block of up to kBufferSize bytes of unloaded input; the
  // first `keep` of them go straight into `buffer`, the rest are passed over.
  // `got` is how many arrived in `buffer`. Returns the block's size; raises
  // like ReadInputByte when the file holds less than the whole block.
  size_t ReadRaw(uint8_t* buffer, size_t* got, size_t keep = kBufferSize);

  // Writes the bytes waiting in the output buffer to the target.
  void FlushOutput();

  // --- for the decoders ----------------------------------------------------
  uint64_t UnloadedInput() const { return unloaded_input_; }
  // The bytes of the input buffer not yet handed out; after this call the
  // decoder holds them.
  const uint8_t* TakeInputBuffer(size_t* count) {
    const uint8_t* p = in_buffer_ + input_pos_;
    *count = input_count_;
    input_pos_ += input_count_;
    input_count_ = 0;
    return p;
  }
  void StepBackInput() {
    --input_pos_;
    ++input_count_;
  }

  uint8_t* out_buffer() { return out_buffer_; }
  void SetOutputCount(size_t n) { output_count_ = n; }

  // A whole chunk of the target's own memory, when the next kBufferSize bytes
  // lie inside both the target and the recorded size: a decoder may write
  // there and save the copy from the output buffer. Null otherwise.
  uint8_t* PlaceChunk() {
    if (output_.Position() + kBufferSize > uncompressed_size_) return nullptr;
    return output_.Place(kBufferSize);
  }
  // FlushOutput for `n` bytes written at PlaceChunk().
  void FlushPlaced(const uint8_t* chunk, size_t n);

  // How many bytes the next chunk need hold: a whole chunk, or one byte past
  // the recorded size when that comes first. That byte proves the member too
  // long, so a decoder that stops there does no work for nothing.
  size_t ChunkLimit() const {
    const uint64_t position = output_.Position();
    const uint64_t room = position < uncompressed_size_ ? uncompressed_size_ - position : 0;
    return room < kBufferSize ? size_t(room) + 1 : kBufferSize;
  }

  // Byte-wise output through the buffer, which doubles as a 32 KB window.
  // The byte that passes the recorded size is flushed at once, and the flush
  // refuses it: the member ends there instead of at the end of its chunk.
  void Put(uint8_t byte) {
    out_buffer_[output_count_++] = byte;
    ++produced_;
    if (output_count_ == kBufferSize || produced_ > room_) FlushOutput();
  }
  // The byte `distance` back in the output; 0 before the start of the member.
  uint8_t Back(uint32_t distance) const {
    if (distance == 0 || distance > produced_) return 0;
    return out_buffer_[(output_count_ + kBufferSize - distance) % kBufferSize];
  }
  uint64_t Produced() const { return produced_; }
  uint64_t UncompressedSize() const { return uncompressed_size_; }
  bool Complete() const { return produced_ >= uncompressed_size_; }

  // Bits, least significant first, filled a byte at a time. `NeedBits` is
  // false when the input cannot supply them; `Bits` pads with zero bits past
  // the end and counts the bytes it had to invent.
  bool NeedBits(int n) {
    while (bit_count_ < n) {
      int b = ReadInputByte();
      if (b < 0) return false;
      bit_buffer_ |= uint32_t(b) << bit_count_;
      bit_count_ += 8;
    }
    return true;
  }
  uint32_t Bits(int n) {
    while (bit_count_ < n) {
      int b = ReadInputByte();
      if (b < 0) {
        ++overrun_;
        b = 0;
      }
      bit_buffer_ |= uint32_t(b) << bit_count_;
      bit_count_ += 8;
    }
    uint32_t v = bit_buffer_ & ((1u << n) - 1);
    bit_buffer_ >>= n;
    bit_count_ -= n;
    return v;
  }
  // A decoder that reads this far past its input is reading noise of its own
  // making; it stops rather than spin until the recorded size is reached.
  bool Overrun() const { return overrun_ > 4; }

  uint32_t Crc() const { return crc_ ^ 0xFFFFFFFFu; }

 private:
  bool LoadInput();

  MemberInput& input_;
  MemberOutput& output_;
  uint8_t* in_buffer_;
  uint8_t* out_buffer_;
  int64_t remaining_input_;
  uint64_t unloaded_input_;
  size_t input_count_ = 0;
  size_t input_pos_ = 0;
  uint32_t bit_buffer_ = 0;
  int bit_count_ = 0;
  int overrun_ = 0;
  size_t output_count_ = 0;
  uint64_t produced_ = 0;
  uint64_t uncompressed_size_;
  uint64_t room_;  // bytes the member may produce from the target's first position
  bool single_part_;
  uint32_t crc_ = 0xFFFFFFFFu;
};

}  // namespace varnett
