#include "catalogue/value_reader.h"

#include <cstring>

#include "catalogue/cp949_encoder.h"
#include "catalogue/errors.h"
#include "catalogue/extended_real.h"

namespace varnett {

namespace {

[[noreturn]] void ReadPastEnd() { throw EReadError("Stream read error"); }
[[noreturn]] void WrongValue() { throw EReadError("Invalid property value"); }

uint32_t LoadU32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

ValueReader::ValueReader(MemoryStream& source, size_t chunk_size)
    : source_(source), buffer_(chunk_size) {}

ValueReader::~ValueReader() {
  // Hand back what was read ahead but not consumed.
  source_.Seek(source_.Position() - (end_ - pos_));
}

bool ValueReader::Refill() {
  pos_ = 0;
  end_ = source_.Read(buffer_.data(), buffer_.size());
  return end_ != 0;
}

void ValueReader::ReadRaw(void* buffer, size_t count) {
  if (count > Remaining()) ReadPastEnd();
  char* dst = static_cast<char*>(buffer);
  while (count > 0) {
    if (pos_ == end_) {
      // Large items go straight from the source; small ones through the buffer.
      if (count >= buffer_.size()) {
        if (source_.Read(dst, count) != count) ReadPastEnd();
        return;
      }
      if (!Refill()) ReadPastEnd();
    }
    size_t n = std::min(count, end_ - pos_);
    std::memcpy(dst, buffer_.data() + pos_, n);
    pos_ += n;
    dst += n;
    count -= n;
  }
}

void ValueReader::RefillOrFail() {
  if (!Refill()) ReadPastEnd();
}

uint32_t ValueReader::ReadLength() {
  unsigned char bytes[4];
  ReadRaw(bytes, 4);
  uint32_t n = LoadU32(bytes);
  if (n > 0x7FFFFFFFu) WrongValue();
  return n;
}

void ValueReader::Skip(uint64_t count) {
  if (count > Remaining()) ReadPastEnd();
  while (count > 0) {
    if (pos_ == end_ && !Refill()) ReadPastEnd();
    size_t n = static_cast<size_t>(std::min<uint64_t>(count, end_ - pos_));
    pos_ += n;
    count -= n;
  }
}

// Skips one value, a nested list included; iterative so that deep nesting
// costs no stack.
void ValueReader::SkipValue() {
  uint64_t depth = 0;
  do {
    switch (ReadByte()) {
      case kTagEndOfList:
        if (depth > 0) --depth;
        break;
      case kTagStartOfList:
        ++depth;
        break;
      case kTagInt8:
        Skip(1);
        break;
      case kTagInt16:
        Skip(2);
        break;
      case kTagInt32:
        Skip(4);
        break;
      case kTagExtended:
        Skip(kExtendedSize);
        break;
      case kTagShortText:
        Skip(ReadByte());
        break;
      case kTagLongText:
      case kTagUtf8Text:
        Skip(ReadLength());
        break;
      case kTagWideText:
        Skip(uint64_t{ReadLength()} * 2);
        break;
      case kTagInt64:
        Skip(8);
        break;
      default:  // booleans, and tags this format does not use, carry nothing
        break;
    }
  } while (depth > 0);
}

void ValueReader::CheckListMarker(uint8_t expected) {
  if (PeekTag() == expected) {
    ++pos_;
    return;
  }
  SkipValue();
  WrongValue();
}

int32_t ValueReader::ReadInteger() {
  unsigned char b[4];
  switch (ReadByte()) {
    case kTagInt8:
      ReadRaw(b, 1);
      return static_cast<int8_t>(b[0]);
    case kTagInt16:
      ReadRaw(b, 2);
      return static_cast<int16_t>(b[0] | (b[1] << 8));
    case kTagInt32:
      ReadRaw(b, 4);
      return static_cast<int32_t>(LoadU32(b));
    default:
      WrongValue();
  }
}

std::string_view ValueReader::ReadText() {
  uint8_t tag = ReadByte();
  uint64_t size;
  switch (tag) {
    case kTagShortText:
      size = ReadByte();
      break;
    case kTagLongText:
    case kTagUtf8Text:
      size = ReadLength();
      break;
    case kTagWideText:
      size = uint64_t{ReadLength()} * 2;
      break;
    default:
      WrongValue();
  }
  // Checked before anything is sized by it.
  if (size > Remaining()) ReadPastEnd();
  std::string_view bytes;
  if (size <= end_ - pos_) {
    bytes = std::string_view(buffer_.data() + pos_, static_cast<size_t>(size));
    pos_ += static_cast<size_t>(size);
  } else {
    raw_.resize(static_cast<size_t>(size));
    ReadRaw(raw_.data(), raw_.size());
    bytes = raw_;
  }

  switch (tag) {
    case kTagWideText:
      wide_.resize(bytes.size() / 2);
      for (size_t i = 0; i < wide_.size(); ++i) {
        wide_[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
      }
      converted_.clear();
      AppendCp949(wide_, &converted_);
      return converted_;
    case kTagUtf8Text:
      for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
          converted_.clear();
          if (!AppendCp949FromUtf8(bytes, &converted_)) converted_.clear();
          return converted_;
        }
      }
      return bytes;
    default:
      return bytes;
  }
}

long double ValueReader::ReadReal() {
  unsigned char b[kExtendedSize];
  switch (PeekTag()) {
    case kTagExtended:
      ++pos_;
      ReadRaw(b, kExtendedSize);
      return DecodeExtended(b);
    case kTagInt64: {
      ++pos_;
      ReadRaw(b, 8);
      uint64_t bits = LoadU32(b) | (uint64_t{LoadU32(b + 4)} << 32);
      return static_cast<long double>(static_cast<int64_t>(bits));
    }
    case kTagInt8:
    case kTagInt16:
    case kTagInt32:
      return ReadInteger();
    default:
      ++pos_;
      WrongValue();
  }
}

}  // namespace varnett
