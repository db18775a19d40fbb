#include "tools/writer/signature_rewrite.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "catalogue/zip_format.h"

namespace varnett {
namespace {

// The standard values of the records whose signatures the catalogue replaces,
// and of the optional signature of a data descriptor.
constexpr uint32_t kStandardLocal = 0x04034B50;
constexpr uint32_t kStandardCentral = 0x02014B50;
constexpr uint32_t kStandardEnd = 0x06054B50;
constexpr uint32_t kDescriptorSignature = 0x08074B50;

// `need` bytes at `offset`, or null when they are not all in the file. The
// comparison is written so that no sum can wrap round.
const uint8_t* At(const std::string& s, uint64_t offset, uint64_t need) {
  if (offset > s.size() || need > s.size() - offset) return nullptr;
  return reinterpret_cast<const uint8_t*>(s.data()) + offset;
}

bool Holds32(const std::string& s, uint64_t offset, uint32_t value) {
  const uint8_t* p = At(s, offset, 4);
  return p && zip::Le32(p) == value;
}

void Set32(std::string& s, uint64_t offset, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[size_t(offset) + i] = char((v >> (8 * i)) & 0xFF);
}

// What the walk needs of one central header.
struct Entry {
  uint64_t central = 0;  // where its central header starts
  uint64_t local = 0;    // where its local header starts
  uint64_t compressed = 0;
  uint64_t uncompressed = 0;
  uint32_t crc = 0;
  uint16_t flags = 0;
  std::string name;
};

// The end record: the last place holding its signature whose comment ends
// exactly at the end of the file, so that a comment holding the signature's
// bytes is not taken for the record.
std::optional<uint64_t> FindEnd(const std::string& s) {
  if (s.size() < zip::kEndSize) return std::nullopt;
  const uint64_t last = s.size() - zip::kEndSize;
  const uint64_t lowest = last > 0xFFFF ? last - 0xFFFF : 0;
  for (uint64_t at = last + 1; at-- > lowest;) {
    const uint8_t* e = At(s, at, zip::kEndSize);
    if (zip::Le32(e) == kStandardEnd && zip::Le16(e + zip::kEndCommentLength) == last - at)
      return at;
  }
  return std::nullopt;
}

// Reads the central header at `offset`, taking the zip64 values of its extra
// field where the classic fields hold all ones. False when it is not there.
bool ReadCentral(const std::string& s, uint64_t offset, Entry* entry, uint64_t* next) {
  const uint8_t* c = At(s, offset, zip::kCentralSize);
  if (!c || zip::Le32(c) != kStandardCentral) return false;
  const uint16_t name = zip::Le16(c + zip::kCentralNameLength);
  const uint16_t extra = zip::Le16(c + zip::kCentralExtraLength);
  const uint16_t comment = zip::Le16(c + zip::kCentralCommentLength);
  const uint8_t* n = At(s, offset + zip::kCentralSize, uint64_t(name) + extra + comment);
  if (!n) return false;
  entry->central = offset;
  entry->flags = zip::Le16(c + zip::kCentralFlags);
  entry->crc = zip::Le32(c + zip::kCentralCrc);
  entry->compressed = zip::Le32(c + zip::kCentralCompressed);
  entry->uncompressed = zip::Le32(c + zip::kCentralUncompressed);
  entry->local = zip::Le32(c + zip::kCentralLocalOffset);
  entry->name.assign(reinterpret_cast<const char*>(n), name);
  const uint8_t* x = n + name;
  for (size_t at = 0; at + 4 <= extra;) {
    const uint16_t tag = zip::Le16(x + at), size = zip::Le16(x + at + 2);
    at += 4;
    if (size > extra - at) return false;
    if (tag == zip::kZip64ExtraTag) {
      // Present in this order, each only when its classic field is full.
      size_t v = at;
      for (uint64_t* field : {&entry->uncompressed, &entry->compressed, &entry->local}) {
        if (*field != 0xFFFFFFFFu) continue;
        if (v + 8 > at + size) return false;
        *field = zip::Le64(x + v);
        v += 8;
      }
    }
    at += size;
  }
  *next = offset + zip::kCentralSize + name + extra + comment;
  return true;
}

// Walks the local header of `entry` and its data, and the data descriptor
// after them when flag bit 3 says there is one, in any of its four shapes
// (with or without its signature, sizes of 4 or 8 bytes). Returns where the
// next record must start, or nothing when the member is not where and what
// its central header says.
std::optional<uint64_t> WalkMember(const std::string& s, const Entry& entry) {
  const uint8_t* l = At(s, entry.local, zip::kLocalSize);
  if (!l || zip::Le32(l) != kStandardLocal) return std::nullopt;
  const uint16_t name = zip::Le16(l + zip::kLocalNameLength);
  const uint16_t extra = zip::Le16(l + zip::kLocalExtraLength);
  const uint8_t* n = At(s, entry.local + zip::kLocalSize, uint64_t(name) + extra);
  if (!n || std::string(reinterpret_cast<const char*>(n), name) != entry.name) return std::nullopt;
  bool zip64_local = false;
  for (size_t at = 0; at + 4 <= extra;) {
    const uint16_t tag = zip::Le16(n + name + at), size = zip::Le16(n + name + at + 2);
    zip64_local |= tag == zip::kZip64ExtraTag;
    at += 4 + size;
  }
  const uint64_t data = entry.local + zip::kLocalSize + name + extra;
  if (!At(s, data, entry.compressed)) return std::nullopt;
  uint64_t end = data + entry.compressed;
  if (!(entry.flags & zip::kFlagDataDescriptor)) return end;

  // The signature is optional; a descriptor without it begins with the
  // CRC-32, so the two are told apart by what follows the signature's place.
  if (Holds32(s, end, kDescriptorSignature) && Holds32(s, end + 4, entry.crc)) {
    end += 4;
  } else if (!Holds32(s, end, entry.crc)) {
    return std::nullopt;
  }
  // Sizes of 8 bytes when the local header carries zip64 values.
  const uint64_t width = zip64_local ? 8 : 4;
  const uint8_t* d = At(s, end + 4, 2 * width);
  if (!d) return std::nullopt;
  const uint64_t compressed = width == 8 ? zip::Le64(d) : zip::Le32(d);
  const uint64_t uncompressed = width == 8 ? zip::Le64(d + 8) : zip::Le32(d + 4);
  if (compressed != entry.compressed || uncompressed != entry.uncompressed) return std::nullopt;
  return end + 4 + 2 * width;
}

}  // namespace

bool RewriteSignatures(std::string* zip_file) {
  std::string s = *zip_file;
  const std::optional<uint64_t> end = FindEnd(s);
  if (!end) return false;
  const uint8_t* e = At(s, *end, zip::kEndSize);
  uint64_t count = zip::Le16(e + zip::kEndTotalEntries);
  uint64_t offset = zip::Le32(e + zip::kEndDirectoryOffset);
  // The directory ends where the zip64 end record starts, or the end record.
  uint64_t directory_end = *end;
  if (*end >= zip::kLocatorSize &&
      Holds32(s, *end - zip::kLocatorSize, zip::kZip64LocatorSignature)) {
    const uint8_t* locator = At(s, *end - zip::kLocatorSize, zip::kLocatorSize);
    const uint64_t record = zip::Le64(locator + zip::kLocatorRecordOffset);
    const uint8_t* z = At(s, record, zip::kZip64EndSize);
    if (!z || zip::Le32(z) != zip::kZip64EndSignature) return false;
    // Its size counts what follows the size field, and the locator follows.
    const uint64_t size = zip::Le64(z + zip::kZip64EndRecordSize);
    if (size > *end || record + 12 + size != *end - zip::kLocatorSize) return false;
    count = zip::Le64(z + zip::kZip64EndTotalEntries);
    offset = zip::Le64(z + zip::kZip64EndDirectoryOffset);
    directory_end = record;
  }

  // Every central header, one after the other, up to the directory's end.
  std::vector<Entry> entries;
  uint64_t at = offset;
  for (uint64_t i = 0; i < count; ++i) {
    Entry entry;
    if (!ReadCentral(s, at, &entry, &at)) return false;
    entries.push_back(std::move(entry));
  }
  if (at != directory_end) return false;

  // The members in the order they lie: each starts where the one before it
  // ended, and the last ends where the directory starts.
  std::vector<const Entry*> by_place;
  for (const Entry& entry : entries) by_place.push_back(&entry);
  std::sort(by_place.begin(), by_place.end(),
            [](const Entry* a, const Entry* b) { return a->local < b->local; });
  for (size_t i = 0; i < by_place.size(); ++i) {
    const std::optional<uint64_t> next = WalkMember(s, *by_place[i]);
    const uint64_t expected = i + 1 < by_place.size() ? by_place[i + 1]->local : offset;
    if (!next || *next != expected) return false;
  }

  for (const Entry& entry : entries) {
    Set32(s, entry.local, zip::kLocalSignature);
    Set32(s, entry.central, zip::kCentralSignature);
  }
  Set32(s, *end, zip::kEndSignature);
  *zip_file = std::move(s);
  return true;
}

}  // namespace varnett
