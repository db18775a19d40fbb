// Reads the tagged values of a table stream from a memory stream, in chunks.
// Every item that runs past the end of the data raises "Stream read error";
// an item of the wrong kind raises "Invalid property value". No length read
// from the data is trusted before it is checked against the bytes left.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/memory_stream.h"

namespace varnett {

enum ValueTag : uint8_t {
  kTagEndOfList = 0x00,
  kTagStartOfList = 0x01,
  kTagInt8 = 0x02,
  kTagInt16 = 0x03,
  kTagInt32 = 0x04,
  kTagExtended = 0x05,
  kTagShortText = 0x06,
  kTagFalse = 0x08,
  kTagTrue = 0x09,
  kTagLongText = 0x0C,
  kTagWideText = 0x12,
  kTagInt64 = 0x13,
  kTagUtf8Text = 0x14,
};

class ValueReader {
 public:
  // Reads from the source's current position on, `chunk_size` bytes at a time.
  ValueReader(MemoryStream& source, size_t chunk_size);
  ValueReader(const ValueReader&) = delete;
  ValueReader& operator=(const ValueReader&) = delete;
  // Leaves the source positioned just after the last byte consumed.
  ~ValueReader();

  // `count` raw bytes, without a tag.
  void ReadRaw(void* buffer, size_t count);

  uint8_t PeekTag() {
    if (pos_ == end_) RefillOrFail();
    return static_cast<uint8_t>(buffer_[pos_]);
  }
  bool EndOfList() { return PeekTag() == kTagEndOfList; }
  void ReadListBegin() { CheckListMarker(kTagStartOfList); }
  void ReadListEnd() { CheckListMarker(kTagEndOfList); }

  int32_t ReadInteger();
  // The text in CP949. The view stays valid until the next read.
  std::string_view ReadText();
  bool ReadBoolean() { return ReadByte() == kTagTrue; }
  long double ReadReal();

  // Bytes not yet consumed, in the buffer and in the source together.
  uint64_t Remaining() const { return (end_ - pos_) + (source_.Size() - source_.Position()); }

 private:
  uint8_t ReadByte() {
    if (pos_ == end_) RefillOrFail();
    return static_cast<uint8_t>(buffer_[pos_++]);
  }
  // A 4-byte length or count; negative ones are rejected as malformed.
  uint32_t ReadLength();
  void Skip(uint64_t count);
  void SkipValue();
  void CheckListMarker(uint8_t expected);
  bool Refill();
  void RefillOrFail();

  MemoryStream& source_;
  std::vector<char> buffer_;
  size_t pos_ = 0;
  size_t end_ = 0;
  std::string raw_;        // a text that is not whole in the buffer
  std::string converted_;  // a text turned into CP949
  std::u16string wide_;
};

}  // namespace varnett
