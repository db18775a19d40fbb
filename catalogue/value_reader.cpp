#include "catalogue/value_reader.h"

#include <algorithm>
#include <cstring>

#include "catalogue/errors.h"
#include "catalogue/extended_real.h"
#include "text/cp949_encoder.h"

namespace varnett {

namespace {

[[noreturn]] void WrongValue() { throw EReadError("Invalid property value"); }

uint32_t LoadU32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

ValueReader::ValueReader(MemoryStream& source)
    : source_(&source),
      begin_(source.Data() + std::min(source.Position(), source.Size())),
      pos_(begin_),
      end_(source.Data() + source.Size()) {}

ValueReader::ValueReader(const char* data, size_t size)
    : begin_(data), pos_(data), end_(data + size) {}

ValueReader::~ValueReader() {
  if (source_ != nullptr && pos_ != begin_) source_->Seek(source_->Position() + (pos_ - begin_));
}

void ValueReader::ReadPastEnd() { throw EReadError("Stream read error"); }

void ValueReader::ReadRaw(void* buffer, size_t count) {
  if (count > Remaining()) ReadPastEnd();
  std::memcpy(buffer, pos_, count);
  pos_ += count;
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
  pos_ += count;
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

StreamText ValueReader::ReadStreamText() {
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
  StreamText text{tag, std::string_view(pos_, static_cast<size_t>(size))};
  pos_ += size;
  return text;
}

std::string_view TextInCp949(const StreamText& text, std::string* scratch) {
  const std::string_view bytes = text.bytes;
  switch (text.tag) {
    case kTagWideText: {
      std::u16string wide(bytes.size() / 2, u'\0');
      for (size_t i = 0; i < wide.size(); ++i) {
        wide[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
      }
      scratch->clear();
      AppendCp949(wide, scratch);
      return *scratch;
    }
    case kTagUtf8Text:
      for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
          scratch->clear();
          if (!AppendCp949FromUtf8(bytes, scratch)) scratch->clear();
          return *scratch;
        }
      }
      return bytes;
    default:
      return bytes;
  }
}

bool LeadingCp949Byte(const StreamText& text, char* first) {
  const std::string_view bytes = text.bytes;
  switch (text.tag) {
    case kTagWideText: {
      // Only the first unit is wanted, read as TextInCp949 reads units.
      if (bytes.size() < 2) return false;
      const char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[0]) |
                                                  (static_cast<unsigned char>(bytes[1]) << 8));
      return FirstCp949Byte(std::u16string_view(&unit, 1), first);
    }
    case kTagUtf8Text:
      // A broken first sequence breaks the whole text, which becomes empty.
      return FirstCp949ByteFromUtf8(bytes, first);
    default:
      if (bytes.empty()) return false;
      *first = bytes[0];
      return true;
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
