// The whole reading path over an archive held in memory: end record, central
// directory or local-header scan, and the extraction of "Game.dat" with
// whatever method its entry names. When exactly one entry is selected, the
// reader's verdict is held to one rule: a member is verified only when it
// decoded to exactly its recorded size and those bytes carry the recorded
// CRC-32. A verified member of a method the reader does not decode, or one
// whose data lies beyond the file, breaks the rule at once. "Beyond the
// file" is judged by the bytes the member used, not by its recorded
// compressed size: a deflate stream that ends inside the file verifies
// however far its recorded size reaches, as long as every block of input the
// reader loaded for it was whole (a stored member uses all of its bytes, the
// other methods at least their first block). For stored
// members the bytes in the file are the oracle; for deflated ones zlib's own
// inflate of the same compressed bytes: where zlib reaches the end of the
// stream within the claimed size, the reader must decode the same bytes
// without error and verify exactly when they are as long as claimed and
// carry the recorded CRC-32.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "catalogue/crc32.h"
#include "catalogue/errors.h"
#include "catalogue/unzipper.h"
#include "catalogue/zip_errors.h"
#include "catalogue/zip_format.h"
#include "platform/sim/sim_platform.h"

namespace {

using varnett::TZipEntry;

// zlib's inflate of a raw deflate stream, stopped once `limit` bytes are out.
struct Inflated {
  bool complete = false;  // the stream's end was reached
  std::string bytes;
};

Inflated ZlibInflate(const uint8_t* data, size_t size, size_t limit) {
  Inflated result;
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) abort();
  result.bytes.resize(limit);
  z.next_in = const_cast<Bytef*>(data);
  z.avail_in = uInt(size);
  z.next_out = reinterpret_cast<Bytef*>(&result.bytes[0]);
  z.avail_out = uInt(limit);
  int r = inflate(&z, Z_FINISH);
  result.complete = r == Z_STREAM_END;
  result.bytes.resize(limit - z.avail_out);
  inflateEnd(&z);
  return result;
}

// Whether zlib's inflate reaches the end of the raw stream within `size`
// bytes, and how many of them it used; nothing is kept.
bool StreamEndsWithin(const uint8_t* data, size_t size, size_t* used) {
  static uint8_t window[65536];
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) abort();
  z.next_in = const_cast<Bytef*>(data);
  z.avail_in = uInt(size);
  int r;
  do {
    z.next_out = window;
    z.avail_out = sizeof window;
    r = inflate(&z, Z_NO_FLUSH);
  } while (r == Z_OK);
  *used = size - z.avail_in;
  inflateEnd(&z);
  return r == Z_STREAM_END;
}

// The one selected entry, when there is exactly one and it is not encrypted.
const TZipEntry* OnlyGameDat(const varnett::TSortedEntries* directory) {
  if (directory == nullptr) return nullptr;
  const TZipEntry* only = nullptr;
  for (size_t i = 0; i < directory->Count(); ++i) {
    const TZipEntry& e = (*directory)[i];
    if (e.file_name.empty() || !varnett::MatchName("Game.dat", e.FullName())) continue;
    if (only != nullptr) return nullptr;
    only = &e;
  }
  if (only == nullptr || (only->flags & varnett::zip::kFlagEncrypted)) return nullptr;
  return only;
}

void Check(bool holds, const char* what) {
  if (!holds) {
    fprintf(stderr, "reader and oracle disagree: %s\n", what);
    abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static varnett::SimPlatform* sim = new varnett::SimPlatform;
  sim->files.AddFile("C:\\PLX\\GameData\\GPData.nif",
                     std::string(reinterpret_cast<const char*>(data), size));
  sim->dialogs.shown.clear();
  varnett::TUnZipper unzipper({sim->files, sim->dialogs});
  unzipper.SetZipName("C:\\PLX\\GameData\\GPData.nif");
  varnett::MemoryStream stream;
  int verified = -1;
  std::string error;
  bool inflate_error = false;
  try {
    verified = unzipper.ExtractToStream(&stream, "Game.dat");
  } catch (const varnett::EZCompressionError& e) {
    inflate_error = true;
    error = e.what();
  } catch (const varnett::CatalogueError& e) {
    error = e.what();
  }

  const TZipEntry* entry = OnlyGameDat(unzipper.Directory());
  if (entry == nullptr) return 0;
  const uint64_t compressed = entry->CompressedSize();
  const uint64_t claim = entry->UncompressedSize();
  if (verified == 1) {
    Check(stream.Size() == claim, "the reader verified a target not of the recorded size");
    Check(entry->method <= 6 || entry->method == 8,
          "the reader verified a member of a method it does not decode");
  }
  // Where the member's data starts, read as the reader reads it.
  const uint64_t offset = entry->LocalHeaderOffset();
  const bool header_inside = offset <= size && size - offset >= varnett::zip::kLocalSize;
  const uint64_t start =
      header_inside ? offset + varnett::zip::kLocalSize +
                          varnett::zip::Le16(data + offset + varnett::zip::kLocalNameLength) +
                          varnett::zip::Le16(data + offset + varnett::zip::kLocalExtraLength)
                    : UINT64_MAX;
  const bool data_inside = start <= size && compressed <= size - start;
  if (verified == 1 && compressed != 0) {
    // The member's bytes that are in the file, and of them the ones it used.
    const uint64_t in_file = start <= size ? std::min<uint64_t>(compressed, size - start) : 0;
    size_t used = 0;
    bool inside;
    if (entry->method == 8) {
      // The reader loads 32768 bytes at a time and raises when the file cuts
      // a load short: the stream's end lies in a block it loaded whole.
      const uint64_t loaded = std::min<uint64_t>(compressed, in_file / 32768 * 32768);
      inside = StreamEndsWithin(data + start, size_t(in_file), &used) &&
               (in_file == compressed || used <= loaded);
    } else if (entry->method == 0) {
      inside = data_inside;
    } else {
      inside = in_file >= std::min<uint64_t>(compressed, 32768);
    }
    Check(inside, "the reader verified a member whose data lies beyond the file");
  }
  if (!data_inside || claim > (uint64_t(64) << 20)) return 0;

  // What the member's bytes are, by the oracle of its method.
  Inflated z;
  if (entry->method == 0) {
    z.complete = true;
    z.bytes.assign(reinterpret_cast<const char*>(data + start), size_t(compressed));
  } else if (entry->method == 8) {
    // One byte past the claim is enough to know the stream does not fit it.
    z = ZlibInflate(data + start, size_t(compressed), size_t(claim) + 1);
  } else {
    return 0;
  }
  const bool fits = z.complete && z.bytes.size() <= claim;
  const bool whole = fits && z.bytes.size() == claim &&
                     varnett::Crc32(z.bytes.data(), z.bytes.size()) == entry->crc32;

  if (verified == 1) {
    Check(whole, "the reader verified bytes that are not the whole member");
    Check(stream.Bytes() == z.bytes, "the reader verified other bytes than the oracle's");
  }
  // A claim far beyond what its compressed bytes could make is refused before
  // decoding; that ceiling is the reader's own rule, not the oracle's.
  if (fits && error != varnett::kMemberTooLarge) {
    Check(!inflate_error, "the reader raised \"error\" on a stream zlib decodes");
    Check(error.empty(), "the reader raised on a complete member within the file");
    Check(verified == (whole ? 1 : 0), "the reader's verdict breaks the rule");
    Check(stream.Size() == claim, "the target is not sized to the claim");
    Check(stream.Bytes().substr(0, z.bytes.size()) == z.bytes,
          "the reader decoded other bytes than the oracle");
  }
  return 0;
}
