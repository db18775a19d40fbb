#include "catalogue/member_io.h"

#include <algorithm>
#include <limits>

#include "catalogue/crc32.h"
#include "catalogue/zip_errors.h"

namespace varnett {

MemberIO::MemberIO(MemberInput& input, MemberOutput& output, uint8_t* in_buffer,
                   uint8_t* out_buffer, uint64_t compressed_size, uint64_t uncompressed_size,
                   bool single_part)
    : input_(input),
      output_(output),
      in_buffer_(in_buffer),
      out_buffer_(out_buffer),
      remaining_input_(
          int64_t(std::min<uint64_t>(compressed_size, std::numeric_limits<int64_t>::max() / 2))),
      unloaded_input_(compressed_size),
      uncompressed_size_(uncompressed_size),
      room_(uncompressed_size - std::min(uncompressed_size, output.Position())),
      single_part_(single_part) {}

bool MemberIO::LoadInput() {
  size_t got = 0;
  ReadRaw(in_buffer_, &got);
  input_pos_ = 0;
  input_count_ = got;
  return got != 0;
}

size_t MemberIO::ReadRaw(uint8_t* buffer, size_t* got, size_t keep) {
  const size_t n = size_t(std::min<uint64_t>(kBufferSize, unloaded_input_));
  const size_t wanted = std::min(n, keep);
  *got = wanted == 0 ? 0 : input_.Read(buffer, wanted);
  size_t arrived = *got;
  if (arrived == wanted && n > wanted) arrived += input_.Skip(n - wanted);
  unloaded_input_ -= n;
  if (arrived < n && single_part_) throw EFatalUnzipError(kPrematureEnd);
  return n;
}

void MemberIO::FlushOutput() {
  size_t n = output_count_;
  if (n == 0) return;
  if (output_.Position() + n > uncompressed_size_) throw EBiggerThanUncompressed();
  if (output_.Write(out_buffer_, n) < n) throw ECantWriteUCF();
  crc_ = UpdateCrc32(crc_, out_buffer_, n);
  output_count_ = 0;
}

void MemberIO::FlushPlaced(const uint8_t* chunk, size_t n) {
  if (n == 0) return;
  crc_ = UpdateCrc32(crc_, chunk, n);
  output_.Advance(n);
}

}  // namespace varnett
