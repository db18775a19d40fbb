// Record layouts of the catalogue archive: the ZIP layout with record
// signatures of our own for the three classic records. All integers are
// little-endian; the offsets below are from the start of each record.
#pragma once

#include <cstdint>

namespace varnett {
namespace zip {

// A place in the archive `length` bytes after `offset`. Offsets come from the
// file and may be anything up to 2^64 - 1: a sum that would wrap round stays
// at the largest offset instead, past the end of any file, so it never lands
// on bytes the archive did not point to.
inline constexpr uint64_t OffsetPlus(uint64_t offset, uint64_t length) {
  return length > UINT64_MAX - offset ? UINT64_MAX : offset + length;
}

inline constexpr uint32_t kLocalSignature = 0x02421010;
inline constexpr uint32_t kCentralSignature = 0x58101035;
inline constexpr uint32_t kEndSignature = 0x0B790242;
inline constexpr uint32_t kZip64EndSignature = 0x06064B50;
inline constexpr uint32_t kZip64LocatorSignature = 0x07064B50;

// End of central directory record (followed by the archive comment).
inline constexpr size_t kEndSize = 22;
inline constexpr size_t kEndThisDisk = 4;
inline constexpr size_t kEndDirectoryDisk = 6;
inline constexpr size_t kEndEntriesHere = 8;
inline constexpr size_t kEndTotalEntries = 10;
inline constexpr size_t kEndDirectorySize = 12;
inline constexpr size_t kEndDirectoryOffset = 16;
inline constexpr size_t kEndCommentLength = 20;
// The longest end record: 22 bytes and a 65535-byte comment.
inline constexpr size_t kEndSearchSpan = kEndSize + 0xFFFF;

// Zip64 end of central directory locator.
inline constexpr size_t kLocatorSize = 20;
inline constexpr size_t kLocatorRecordDisk = 4;
inline constexpr size_t kLocatorRecordOffset = 8;
inline constexpr size_t kLocatorTotalDisks = 16;

// Zip64 end of central directory record: the part we read.
inline constexpr size_t kZip64EndSize = 56;
inline constexpr size_t kZip64EndRecordSize = 4;
inline constexpr size_t kZip64EndMadeBy = 12;
inline constexpr size_t kZip64EndNeeded = 14;
inline constexpr size_t kZip64EndThisDisk = 16;
inline constexpr size_t kZip64EndDirectoryDisk = 20;
inline constexpr size_t kZip64EndEntriesHere = 24;
inline constexpr size_t kZip64EndTotalEntries = 32;
inline constexpr size_t kZip64EndDirectorySize = 40;
inline constexpr size_t kZip64EndDirectoryOffset = 48;

// Central directory file header (followed by name, extra field, comment).
inline constexpr size_t kCentralSize = 46;
inline constexpr size_t kCentralMadeBy = 4;
inline constexpr size_t kCentralNeeded = 6;
inline constexpr size_t kCentralFlags = 8;
inline constexpr size_t kCentralMethod = 10;
inline constexpr size_t kCentralDosTime = 12;
inline constexpr size_t kCentralCrc = 16;
inline constexpr size_t kCentralCompressed = 20;
inline constexpr size_t kCentralUncompressed = 24;
inline constexpr size_t kCentralNameLength = 28;
inline constexpr size_t kCentralExtraLength = 30;
inline constexpr size_t kCentralCommentLength = 32;
inline constexpr size_t kCentralDiskStart = 34;
inline constexpr size_t kCentralInternalAttributes = 36;
inline constexpr size_t kCentralExternalAttributes = 38;
inline constexpr size_t kCentralLocalOffset = 42;

// Local file header (followed by name and extra field).
inline constexpr size_t kLocalSize = 30;
inline constexpr size_t kLocalNeeded = 4;
inline constexpr size_t kLocalFlags = 6;
inline constexpr size_t kLocalMethod = 8;
inline constexpr size_t kLocalDosTime = 10;
inline constexpr size_t kLocalCrc = 14;
inline constexpr size_t kLocalCompressed = 18;
inline constexpr size_t kLocalUncompressed = 22;
inline constexpr size_t kLocalNameLength = 26;
inline constexpr size_t kLocalExtraLength = 28;

// Extra field block holding the zip64 values.
inline constexpr uint16_t kZip64ExtraTag = 0x0001;
// What the local-header scan reads of a local extra field.
inline constexpr size_t kLocalZip64Size = 32;

// General purpose flags.
inline constexpr uint16_t kFlagEncrypted = 0x0001;
inline constexpr uint16_t kFlagImplode8K = 0x0002;
inline constexpr uint16_t kFlagImplodeLiteralTree = 0x0004;
inline constexpr uint16_t kFlagDataDescriptor = 0x0008;

inline uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline uint64_t Le64(const uint8_t* p) { return Le32(p) | (uint64_t(Le32(p + 4)) << 32); }

}  // namespace zip
}  // namespace varnett
