#include "tools/writer/signature_rewrite.h"

#include <cstring>

#include "catalogue/zip_format.h"

namespace varnett {
namespace {

const uint8_t* At(const std::string& s, uint64_t offset, uint64_t need) {
  if (offset > s.size() || need > s.size() - offset) return nullptr;
  return reinterpret_cast<const uint8_t*>(s.data()) + offset;
}

void Set32(std::string& s, uint64_t offset, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[size_t(offset) + i] = char((v >> (8 * i)) & 0xFF);
}

}  // namespace

bool RewriteSignatures(std::string* zip_file) {
  std::string s = *zip_file;
  if (s.size() < 22) return false;
  uint64_t end = s.size() - 22 + 1;
  const uint64_t lowest = s.size() > 22 + 0xFFFF ? s.size() - 22 - 0xFFFF : 0;
  bool found = false;
  while (end-- > lowest) {
    if (zip::Le32(At(s, end, 4)) == 0x06054B50) {
      found = true;
      break;
    }
  }
  if (!found) return false;
  const uint8_t* e = At(s, end, 22);
  uint64_t count = zip::Le16(e + zip::kEndTotalEntries);
  uint64_t offset = zip::Le32(e + zip::kEndDirectoryOffset);
  if (end >= 20 && zip::Le32(At(s, end - 20, 4)) == zip::kZip64LocatorSignature) {
    uint64_t record = zip::Le64(At(s, end - 20, 20) + zip::kLocatorRecordOffset);
    const uint8_t* z = At(s, record, zip::kZip64EndSize);
    if (!z || zip::Le32(z) != zip::kZip64EndSignature) return false;
    count = zip::Le64(z + zip::kZip64EndTotalEntries);
    offset = zip::Le64(z + zip::kZip64EndDirectoryOffset);
  }
  Set32(s, end, zip::kEndSignature);

  for (uint64_t i = 0; i < count; ++i) {
    const uint8_t* c = At(s, offset, zip::kCentralSize);
    if (!c || zip::Le32(c) != 0x02014B50) return false;
    uint16_t name = zip::Le16(c + zip::kCentralNameLength);
    uint16_t extra = zip::Le16(c + zip::kCentralExtraLength);
    uint16_t comment = zip::Le16(c + zip::kCentralCommentLength);
    uint64_t local = zip::Le32(c + zip::kCentralLocalOffset);
    uint64_t usize = zip::Le32(c + zip::kCentralUncompressed);
    uint64_t csize = zip::Le32(c + zip::kCentralCompressed);
    const uint8_t* x = At(s, offset + zip::kCentralSize + name, extra);
    if (!x) return false;
    for (size_t at = 0; at + 4 <= extra;) {
      uint16_t tag = zip::Le16(x + at), size = zip::Le16(x + at + 2);
      at += 4;
      if (size > extra - at) break;
      if (tag == zip::kZip64ExtraTag) {
        size_t v = at;
        if (usize == 0xFFFFFFFFu && v + 8 <= at + size) v += 8;
        if (csize == 0xFFFFFFFFu && v + 8 <= at + size) v += 8;
        if (local == 0xFFFFFFFFu && v + 8 <= at + size) local = zip::Le64(x + v);
      }
      at += size;
    }
    const uint8_t* l = At(s, local, 4);
    if (!l || zip::Le32(l) != 0x04034B50) return false;
    Set32(s, local, zip::kLocalSignature);
    Set32(s, offset, zip::kCentralSignature);
    offset += zip::kCentralSize + name + extra + comment;
  }
  *zip_file = std::move(s);
  return true;
}

}  // namespace varnett
