// Reads the tagged values of a table stream in place, from the bytes of a
// memory stream.
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

// A text as the stream holds it: its tag and its bytes, not yet in CP949.
struct StreamText {
  uint8_t tag = kTagShortText;
  std::string_view bytes;
};

// The CP949 form of a text: the bytes themselves when they are already
// CP949 (or plain ASCII), else the conversion written into `scratch`. A UTF-8
// text with a broken sequence becomes the empty text.
std::string_view TextInCp949(const StreamText& text, std::string* scratch);

// The first byte of the text's CP949 form, found from its first character
// alone; false when that form is certainly empty. A form with a first byte
// may still turn out empty (a UTF-8 text broken further on): the byte only
// tells which texts it cannot be.
bool LeadingCp949Byte(const StreamText& text, char* first);

// False when the text's CP949 form is empty or begins with another byte than
// `first`, found from its first character alone: a search for one name then
// rejects almost every record without converting its whole text.
inline bool MayBeginWith(const StreamText& text, char first) {
  char head;
  return LeadingCp949Byte(text, &head) && head == first;
}

class ValueReader {
 public:
  // Reads from the source's current position on, in place.
  explicit ValueReader(MemoryStream& source);
  // Reads `size` bytes at `data`, part of a stream read once before.
  ValueReader(const char* data, size_t size);
  ValueReader(const ValueReader&) = delete;
  ValueReader& operator=(const ValueReader&) = delete;
  // Leaves the source positioned just after the last byte consumed.
  ~ValueReader();

  // `count` raw bytes, without a tag.
  void ReadRaw(void* buffer, size_t count);

  uint8_t PeekTag() {
    if (pos_ == end_) ReadPastEnd();
    return static_cast<uint8_t>(*pos_);
  }
  bool EndOfList() { return PeekTag() == kTagEndOfList; }
  void ReadListBegin() { CheckListMarker(kTagStartOfList); }
  void ReadListEnd() { CheckListMarker(kTagEndOfList); }

  int32_t ReadInteger();
  // A text as stored; the view points into the stream's bytes.
  StreamText ReadStreamText();
  // The text in CP949. The view stays valid until the next read.
  std::string_view ReadText() { return TextInCp949(ReadStreamText(), &converted_); }
  bool ReadBoolean() { return ReadByte() == kTagTrue; }
  long double ReadReal();

  // Bytes not yet consumed.
  uint64_t Remaining() const { return static_cast<uint64_t>(end_ - pos_); }
  // Where the next value starts, and where the bytes end.
  const char* Here() const { return pos_; }
  const char* End() const { return end_; }
  // Goes on from `at`, a place between Here() and End() found by a caller
  // that checked the bytes before it, or back to a place read before.
  void MoveTo(const char* at) { pos_ = at; }

 private:
  [[noreturn]] static void ReadPastEnd();
  uint8_t ReadByte() {
    if (pos_ == end_) ReadPastEnd();
    return static_cast<uint8_t>(*pos_++);
  }
  // A 4-byte length or count; negative ones are rejected as malformed.
  uint32_t ReadLength();
  void Skip(uint64_t count);
  void SkipValue();
  void CheckListMarker(uint8_t expected);

  MemoryStream* source_ = nullptr;
  const char* begin_;
  const char* pos_;
  const char* end_;
  std::string converted_;  // a text turned into CP949
};

}  // namespace varnett
