// The channels every decoder shares: input by byte with its end rules, output
// in chunks bounded by the recorded size, and the CRC-32 of what was written.
#include "catalogue/member_io.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "catalogue/crc32.h"
#include "catalogue/decoders.h"
#include "catalogue/zip_errors.h"
#include "tests/support/error_message.h"
#include "tools/writer/archive_writer.h"

namespace varnett {
namespace {

struct FakeInput : MemberInput {
  std::string bytes;
  size_t at = 0;
  std::vector<size_t> reads;  // sizes asked for
  size_t Read(uint8_t* buffer, size_t count) override {
    reads.push_back(count);
    size_t n = std::min(count, bytes.size() - at);
    std::memcpy(buffer, bytes.data() + at, n);
    at += n;
    return n;
  }
};

struct FakeOutput : MemberOutput {
  size_t accept = SIZE_MAX;  // bytes it takes per write
  uint64_t position = 0;
  std::vector<size_t> writes;
  uint64_t Position() const override { return position; }
  size_t Write(const uint8_t*, size_t count) override {
    writes.push_back(count);
    size_t n = std::min(count, accept);
    position += n;
    return n;
  }
};

struct Channel {
  FakeInput in;
  FakeOutput out;
  std::vector<uint8_t> in_buffer = std::vector<uint8_t>(MemberIO::kBufferSize);
  std::vector<uint8_t> out_buffer = std::vector<uint8_t>(MemberIO::kBufferSize);
  MemberIO Make(uint64_t compressed, uint64_t uncompressed) {
    return MemberIO(in, out, in_buffer.data(), out_buffer.data(), compressed, uncompressed, true);
  }
};

TEST(MemberIO, InputComesInBlocksAndEndsAtTheCompressedSize) {
  Channel c;
  c.in.bytes = std::string(40000, 'x') + "beyond";
  MemberIO io = c.Make(40000, 0);
  for (int i = 0; i < 40000; ++i) ASSERT_EQ(io.ReadInputByte(), 'x');
  EXPECT_EQ(io.ReadInputByte(), -1);
  EXPECT_EQ(io.ReadInputByte(), -1);
  EXPECT_EQ(c.in.reads, (std::vector<size_t>{32768, 40000 - 32768}));
}

TEST(MemberIO, ShortFileIsAPrematureEnd) {
  Channel c;
  c.in.bytes = "abc";
  MemberIO io = c.Make(10, 0);
  EXPECT_EQ(ErrorMessage<EFatalUnzipError>([&] { io.ReadInputByte(); }),
            "Premature end of file reached");
}

TEST(MemberIO, OutputIsChunkedBoundedAndChecked) {
  Channel c;
  MemberIO io = c.Make(0, 40000);
  std::string data;
  for (int i = 0; i < 40000; ++i) {
    data += char(i * 7);
    io.Put(uint8_t(i * 7));
  }
  io.FlushOutput();
  EXPECT_EQ(c.out.writes, (std::vector<size_t>{32768, 40000 - 32768}));
  EXPECT_EQ(io.Crc(), Crc32(data.data(), data.size()));
  // One byte more than recorded: refused at once, and the chunk with it.
  EXPECT_THROW(io.Put(1), EBiggerThanUncompressed);
  EXPECT_EQ(c.out.writes.size(), 2u);
}

TEST(MemberIO, TargetTakingFewerBytesCannotBeWritten) {
  Channel c;
  c.out.accept = 3;
  MemberIO io = c.Make(0, 100);
  for (int i = 0; i < 5; ++i) io.Put('a');
  EXPECT_EQ(ErrorMessage<ECantWriteUCF>([&] { io.FlushOutput(); }), "Cant write uncompressed file");
}

TEST(MemberIO, BackReferencesSeeZerosBeforeTheStartAndWrapTheWindow) {
  Channel c;
  MemberIO io = c.Make(0, 100000);
  EXPECT_EQ(io.Back(1), 0);
  for (int i = 0; i < 40000; ++i) io.Put(uint8_t(i % 251));
  EXPECT_EQ(io.Back(1), (39999 % 251));
  EXPECT_EQ(io.Back(8192), uint8_t((40000 - 8192) % 251));
  EXPECT_EQ(io.Back(40001), 0);
}

// A member that decodes to more than it claims stops one byte past its claim,
// whatever it claims: the decoder's last chunk is cut there, and only the whole
// chunks that fitted reach the target. Without the cut, a directory of many
// entries claiming 0 bytes each costs a full chunk of decoding apiece.
TEST(MemberIO, DecodingStopsOneBytePastTheRecordedSize) {
  std::string data(70000, '\0');
  uint32_t x = 1;
  for (char& ch : data) {
    x = x * 1103515245u + 12345u;
    ch = char(x >> 24);
  }
  // Shrink's 9-bit codes below 256 are the bytes themselves.
  std::string shrunk;
  uint32_t bits = 0;
  int count = 0;
  for (char ch : data) {
    bits |= uint32_t(uint8_t(ch)) << count;
    for (count += 9; count >= 8; count -= 8, bits >>= 8) shrunk += char(bits & 0xFF);
  }
  if (count > 0) shrunk += char(bits);
  struct Decoder {
    const char* name;
    std::string compressed;
    void (*decode)(MemberIO&);
  };
  const Decoder decoders[] = {
      {"stored", data, CopyStored},
      {"deflated", DeflateRaw(data), InflateRaw},
      {"shrunk", shrunk, Unshrink},
  };
  const uint8_t kUntouched = 0xA5;
  for (const Decoder& d : decoders) {
    for (uint64_t claim : {0, 1, 1000, 32767, 32768, 40000, 65535, 69999}) {
      SCOPED_TRACE(std::string(d.name) + " claiming " + std::to_string(claim));
      Channel c;
      c.in.bytes = d.compressed;
      std::fill(c.out_buffer.begin(), c.out_buffer.end(), kUntouched);
      MemberIO io = c.Make(d.compressed.size(), claim);
      EXPECT_THROW(d.decode(io), EBiggerThanUncompressed);
      const size_t whole = size_t(claim / MemberIO::kBufferSize);
      EXPECT_EQ(c.out.writes, std::vector<size_t>(whole, MemberIO::kBufferSize));
      // The last chunk was decoded up to the byte that passes the claim; past
      // it the buffer still holds what the chunk before left there.
      const size_t cut = size_t(claim % MemberIO::kBufferSize) + 1;
      const size_t base = whole * MemberIO::kBufferSize;
      for (size_t i = 0; i < MemberIO::kBufferSize; ++i) {
        const uint8_t want = i < cut ? uint8_t(data[base + i])
                             : whole ? uint8_t(data[base - MemberIO::kBufferSize + i])
                                     : kUntouched;
        ASSERT_EQ(c.out_buffer[i], want) << "at " << i;
      }
    }
    // The exact claim verifies.
    Channel c;
    c.in.bytes = d.compressed;
    MemberIO io = c.Make(d.compressed.size(), data.size());
    d.decode(io);
    EXPECT_EQ(io.Crc(), Crc32(data.data(), data.size())) << d.name;
  }
}

}  // namespace
}  // namespace varnett
