// The whole reading path over an archive held in memory: end record, central
// directory or local-header scan, and the extraction of "Game.dat" with
// whatever method its entry names. When exactly one entry is selected and it
// is deflated, zlib's own inflate of the same compressed bytes is the oracle:
// where zlib reaches the end of the stream within the claimed size, the reader
// must decode the same bytes without error and verify exactly when their
// CRC-32 is the recorded one; where the reader verifies, zlib must agree.
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// The one selected entry, when there is exactly one and it is a deflated,
// unencrypted member.
const TZipEntry* OnlyDeflatedGameDat(const varnett::TSortedEntries* directory) {
  if (directory == nullptr) return nullptr;
  const TZipEntry* only = nullptr;
  for (size_t i = 0; i < directory->Count(); ++i) {
    const TZipEntry& e = (*directory)[i];
    if (e.file_name.empty() || !varnett::MatchName("Game.dat", e.FullName())) continue;
    if (only != nullptr) return nullptr;
    only = &e;
  }
  if (only == nullptr || only->method != 8 || (only->flags & varnett::zip::kFlagEncrypted)) {
    return nullptr;
  }
  return only;
}

void Check(bool holds, const char* what) {
  if (!holds) {
    fprintf(stderr, "reader and zlib disagree: %s\n", what);
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

  const TZipEntry* entry = OnlyDeflatedGameDat(unzipper.Directory());
  if (entry == nullptr) return 0;
  // Where the member's data starts, read as the reader reads it.
  const uint64_t offset = entry->LocalHeaderOffset();
  if (offset > size || size - offset < varnett::zip::kLocalSize) return 0;
  const uint64_t start = offset + varnett::zip::kLocalSize +
                         varnett::zip::Le16(data + offset + varnett::zip::kLocalNameLength) +
                         varnett::zip::Le16(data + offset + varnett::zip::kLocalExtraLength);
  const uint64_t compressed = entry->CompressedSize();
  const uint64_t claim = entry->UncompressedSize();
  if (start > size || compressed > size - start || claim > (uint64_t(64) << 20)) return 0;

  // One byte past the claim is enough to know the stream does not fit it.
  const Inflated z = ZlibInflate(data + start, size_t(compressed), size_t(claim) + 1);
  const bool fits = z.complete && z.bytes.size() <= claim;
  const bool crc_matches = fits && varnett::Crc32(z.bytes.data(), z.bytes.size()) == entry->crc32;

  if (verified == 1) {
    Check(fits, "the reader verified a member zlib does not decode within its claim");
    Check(crc_matches, "the reader verified bytes whose CRC-32 differs");
  }
  // A claim far beyond what its compressed bytes could make is refused before
  // decoding; that ceiling is the reader's own rule, not zlib's.
  if (fits && error != varnett::kMemberTooLarge) {
    Check(!inflate_error, "the reader raised \"error\" on a stream zlib decodes");
    Check(error.empty(), "the reader raised on a complete member within the file");
    Check(verified == (crc_matches ? 1 : 0), "the reader's verdict differs from the CRC-32");
    Check(stream.Size() == claim, "the target is not sized to the claim");
    Check(std::memcmp(stream.Data(), z.bytes.data(), z.bytes.size()) == 0,
          "the reader decoded other bytes than zlib");
  }
  return 0;
}
