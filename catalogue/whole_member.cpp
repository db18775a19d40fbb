#include "catalogue/whole_member.h"

#include <libdeflate.h>

#include <memory>
#include <system_error>
#include <thread>

#include "catalogue/byte_buffer.h"
#include "catalogue/crc32.h"
#include "catalogue/deflate_scan.h"

namespace varnett {
namespace {

// The member's compressed bytes, in memory taken as the target's is: a
// block of megabytes costs few page faults and goes back to the system at
// once, before the table is loaded.
class Block {
 public:
  explicit Block(size_t size) : size_(size), data_(static_cast<uint8_t*>(AllocateZeroed(size))) {
    if (data_ != nullptr) PrepareForWriting(data_, size);
  }
  ~Block() { FreeZeroed(data_, size_); }
  Block(const Block&) = delete;
  Block& operator=(const Block&) = delete;
  uint8_t* data() { return data_; }

 private:
  size_t size_;
  uint8_t* data_;
};

struct DecompressorFree {
  void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

// Below this the scan runs on the calling thread: starting a thread would
// cost more than it saves.
constexpr size_t kScanBeside = size_t(64) << 10;

// libdeflate's raw inflate in one call. It only counts when the stream ends
// having made exactly `out_size` bytes; bytes after the stream's end are
// ignored, as zlib ignores them.
bool LibdeflateWhole(const uint8_t* in, size_t in_size, uint8_t* out, size_t out_size) {
  std::unique_ptr<libdeflate_decompressor, DecompressorFree> d(libdeflate_alloc_decompressor());
  if (!d) return false;
  size_t used = 0;
  size_t made = 0;
  const libdeflate_result r =
      libdeflate_deflate_decompress_ex(d.get(), in, in_size, out, out_size, &used, &made);
  return r == LIBDEFLATE_SUCCESS && made == out_size;
}

// libdeflate's answer, taken only for a stream that zlib would take too; the
// scan that tells runs on the second core while libdeflate decodes and the
// CRC-32 is computed.
bool InflateWhole(const uint8_t* in, size_t in_size, uint8_t* out, size_t out_size,
                  uint32_t crc32) {
  bool strict = false;
  std::thread beside;
  if (in_size >= kScanBeside) {
    try {
      beside = std::thread([&] { strict = DeflateStreamIsStrict(in, in_size, out_size); });
    } catch (const std::system_error&) {
      // No thread to be had: the scan runs after the decoding instead.
    }
  }
  const bool whole = LibdeflateWhole(in, in_size, out, out_size) && Crc32(out, out_size) == crc32;
  if (beside.joinable()) {
    beside.join();
  } else if (whole) {
    strict = DeflateStreamIsStrict(in, in_size, out_size);
  }
  return whole && strict;
}

}  // namespace

WholeMember ExtractWholeMember(ArchiveFile& file, const TZipEntry& entry, uint64_t data_start,
                               uint8_t* out) {
  const uint64_t compressed = entry.CompressedSize();
  const uint64_t uncompressed = entry.UncompressedSize();
  // Only a member whose recorded bytes are all in the file: the exact
  // decoder reads them in blocks, and a block the file cuts short raises
  // there, even when the stream would have ended before the cut.
  if (data_start > file.Size() || compressed > file.Size() - data_start) {
    return WholeMember::kUntouched;
  }
  if (uncompressed == 0 || compressed == 0) return WholeMember::kUntouched;
  // A sound deflate stream is barely longer than what it makes (5 bytes per
  // stored block of 65535); a longer claim is not read into memory whole.
  if (compressed > uncompressed + uncompressed / 1024 + 1024) return WholeMember::kUntouched;
  file.Seek(data_start);
  const size_t in_size = size_t(compressed);
  const size_t out_size = size_t(uncompressed);
  switch (entry.method) {
    case 0:
      // Stored: the bytes go from the file straight into the target, which
      // saves the copy through the output buffer. A stored member of another
      // size than recorded never verifies; the exact decoder says how.
      if (compressed != uncompressed) return WholeMember::kUntouched;
      if (file.Read(out, out_size) != out_size) return WholeMember::kNotWhole;
      break;
    case 8: {
      Block in(in_size);
      if (in.data() == nullptr || file.Read(in.data(), in_size) != in_size) {
        return WholeMember::kUntouched;
      }
      return InflateWhole(in.data(), in_size, out, out_size, entry.crc32) ? WholeMember::kWhole
                                                                          : WholeMember::kNotWhole;
    }
    default:
      return WholeMember::kUntouched;
  }
  return Crc32(out, out_size) == entry.crc32 ? WholeMember::kWhole : WholeMember::kNotWhole;
}

}  // namespace varnett
