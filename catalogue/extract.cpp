// Member extraction: selection by name, the local header, the target's size,
// the decoder of the member's method and the CRC-32 check.
#include <algorithm>
#include <cstring>
#include <new>

#include "catalogue/byte_buffer.h"
#include "catalogue/decoders.h"
#include "catalogue/member_io.h"
#include "catalogue/unzipper.h"
#include "catalogue/whole_member.h"
#include "catalogue/zip_errors.h"
#include "catalogue/zip_format.h"
#include "text/cp949.h"

namespace varnett {
namespace {

// Below this a member may claim any size: a stored member shorter than its
// recorded size, or one of an unknown method, still gets its target sized.
constexpr uint64_t kFreeClaim = uint64_t(1) << 20;
// More than any of the methods can make of one compressed byte (deflate
// reaches about 1032, shrink's longest strings about 5000).
constexpr uint64_t kMaxExpansion = 8192;

class FileInput : public MemberInput {
 public:
  explicit FileInput(ArchiveFile& file) : file_(file) {}
  size_t Read(uint8_t* buffer, size_t count) override { return file_.Read(buffer, count); }
  size_t Skip(size_t count) override {
    const uint64_t at = file_.Position();
    const uint64_t left = at < file_.Size() ? file_.Size() - at : 0;
    const size_t passed = size_t(std::min<uint64_t>(count, left));
    file_.Seek(at + passed);
    return passed;
  }

 private:
  ArchiveFile& file_;
};

class StreamOutput : public MemberOutput {
 public:
  explicit StreamOutput(MemoryStream& stream) : stream_(stream) {}
  uint64_t Position() const override { return stream_.Position(); }
  size_t Write(const uint8_t* data, size_t count) override {
    try {
      stream_.Write(data, count);
    } catch (const std::bad_alloc&) {
      return 0;
    }
    return count;
  }
  uint8_t* Place(size_t count) override {
    if (stream_.Position() > stream_.Size() || count > stream_.Size() - stream_.Position())
      return nullptr;
    return reinterpret_cast<uint8_t*>(stream_.MutableData()) + stream_.Position();
  }
  void Advance(size_t count) override { stream_.Seek(stream_.Position() + count); }

 private:
  MemoryStream& stream_;
};

}  // namespace

bool TUnZipper::Selected(const TZipEntry& entry) const {
  const std::string name = entry.FullName();
  return std::any_of(files_list_.begin(), files_list_.end(),
                     [&](const std::string& pattern) { return MatchName(pattern, name); });
}

int TUnZipper::ExtractToStream(MemoryStream* target, const std::string& name) {
  if (target == nullptr || IsBlank(name)) return 0;
  stream_mode_ = true;
  target_ = target;
  struct Leave {
    TUnZipper* self;
    ~Leave() {
      self->files_list_.clear();
      self->stream_mode_ = false;
      self->target_ = nullptr;
      self->CloseFile();
    }
  } leave{this};

  Opening();
  files_list_.assign(1, name);
  in_buffer_.resize(MemberIO::kBufferSize);
  out_buffer_.resize(MemberIO::kBufferSize);

  claimed_total_ = 0;
  int verified = 0;
  for (size_t i = 0; i < directory_->Count(); ++i) {
    TZipEntry& entry = (*directory_)[i];
    entry.selected = Selected(entry);
    if (entry.selected && ExtractMember(i)) ++verified;
  }
  return verified;
}

bool TUnZipper::ExtractMember(size_t index) {
  const TZipEntry entry = (*directory_)[index];
  if (entry.file_name.empty()) return true;  // a folder: nothing to write

  const uint64_t offset = entry.LocalHeaderOffset();
  uint8_t local[zip::kLocalSize] = {};
  file_->Seek(offset);
  file_->Read(local, sizeof local);
  const uint16_t name_length = zip::Le16(local + zip::kLocalNameLength);
  const uint16_t extra_length = zip::Le16(local + zip::kLocalExtraLength);

  if (entry.flags & zip::kFlagEncrypted) return false;  // no password: skipped

  const uint64_t compressed = entry.CompressedSize();
  const uint64_t uncompressed = entry.UncompressedSize();
  const uint64_t data_start =
      zip::OffsetPlus(offset, uint64_t(zip::kLocalSize) + name_length + extra_length);

  // The whole member is held in memory: what it claims must be possible for
  // the bytes the file really holds, and never more than the ceiling.
  const uint64_t present =
      data_start < file_->Size() ? std::min(compressed, file_->Size() - data_start) : 0;
  const uint64_t plausible =
      present > max_member_size / kMaxExpansion ? max_member_size : present * kMaxExpansion;
  claimed_total_ = zip::OffsetPlus(claimed_total_, uncompressed);
  if (uncompressed > std::min(max_member_size, std::max(kFreeClaim, plausible)) ||
      claimed_total_ > max_extraction_total) {
    throw EFatalUnzipError(kMemberTooLarge);
  }

  const bool fresh_target = target_->Size() == 0;
  if (fresh_target) {
    try {
      target_->SetSize(size_t(uncompressed));
    } catch (const std::bad_alloc&) {
      throw ECantWriteUCF();
    }
  }
  target_->Seek(0);

  // A target this member sized holds only zeros: the whole-member decoding
  // may write there, and when the member does not come out whole, clearing
  // it again leaves the exact decoder what it would have found.
  if (whole_members && fresh_target && uncompressed != 0) {
    uint8_t* bytes = reinterpret_cast<uint8_t*>(target_->MutableData());
    PrepareForWriting(bytes, size_t(uncompressed));
    const WholeMember whole = ExtractWholeMember(*file_, entry, data_start, bytes);
    if (whole == WholeMember::kWhole) {
      target_->Seek(size_t(uncompressed));
      return true;
    }
    if (whole == WholeMember::kNotWhole) std::memset(bytes, 0, size_t(uncompressed));
  }

  file_->Seek(data_start);
  FileInput input(*file_);
  StreamOutput output(*target_);
  MemberIO io(input, output, in_buffer_.data(), out_buffer_.data(), compressed, uncompressed,
              SinglePart());
  bool decoded;
  try {
    decoded = DecodeMember(entry, io);
  } catch (const EBiggerThanUncompressed&) {
    // The member failed; what fitted stays in the target. Its CRC-32 is not
    // asked: the recorded one stands for the whole member, and a match with
    // the part that fitted (an empty part and a recorded 0, say) would call a
    // member longer than recorded verified.
    return false;
  }
  // Verified means the target holds exactly the member: all of its recorded
  // size was written and those bytes carry its CRC-32. A member cut short
  // whose recorded CRC-32 is that of the part present, or one never decoded
  // whose recorded CRC-32 is 0, fails.
  return decoded && target_->Position() == uncompressed && io.Crc() == entry.crc32;
}

bool TUnZipper::DecodeMember(const TZipEntry& entry, MemberIO& io) {
  switch (entry.method) {
    case 0:
      CopyStored(io);
      break;
    case 1:
      Unshrink(io);
      break;
    case 2:
    case 3:
    case 4:
    case 5:
      Unreduce(io, entry.method - 1);
      break;
    case 6:
      try {
        Explode(io, entry.flags);
      } catch (const std::bad_alloc&) {
        dialogs_.SystemMessage("*** inflate out of memory ***", "Error");
        return false;
      }
      break;
    case 8:
      InflateRaw(io);
      break;
    default:
      dialogs_.SystemMessage("Unknown Compression Method", "Zip Error");
      return false;
  }
  return true;
}

}  // namespace varnett
