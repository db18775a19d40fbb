// Method 8, deflating (RFC 1951), decoded by zlib's raw inflate: no zlib
// header or trailer, a 32 KB window. The format in short: a run of blocks,
// each opening with a bit that marks the last block and two bits for its
// kind (stored, fixed codes, or codes sent in the block); then literals,
// lengths and distances coded by Huffman codes, a length's and distance's
// extra bits plain. The last block's end code ends the member's data; input
// that runs out before it is damage. What this file adds to zlib is the
// traffic: compressed bytes from the member's input, decoded chunks to the
// target, each bounded by the recorded size.
#include <zlib.h>

#include "catalogue/decoders.h"
#include "catalogue/zip_errors.h"

namespace varnett {
namespace {

// Ends the inflater on every way out, exceptions from FlushOutput included.
class Inflater {
 public:
  Inflater() {
    stream_.zalloc = Z_NULL;
    stream_.zfree = Z_NULL;
    stream_.opaque = Z_NULL;
    stream_.next_in = Z_NULL;
    stream_.avail_in = 0;
    if (inflateInit2(&stream_, -MAX_WBITS) != Z_OK) throw EZCompressionError();
  }
  ~Inflater() {
    if (open_) inflateEnd(&stream_);
  }
  void End() {
    open_ = false;
    if (inflateEnd(&stream_) < 0) throw EZCompressionError();
  }
  z_stream* operator->() { return &stream_; }
  z_stream* get() { return &stream_; }

 private:
  z_stream stream_{};
  bool open_ = true;
};

// Hands the decoder the input buffer: the byte just read and those after it.
bool Refill(MemberIO& io, z_stream* z) {
  if (io.ReadInputByte() < 0) return false;
  io.StepBackInput();
  size_t count = 0;
  const uint8_t* data = io.TakeInputBuffer(&count);
  z->next_in = const_cast<Bytef*>(data);
  z->avail_in = uInt(count);
  return true;
}

}  // namespace

void InflateRaw(MemberIO& io) {
  Inflater z;
  if (!Refill(io, z.get())) throw EZCompressionError();
  // Chunks that fit the sized target are inflated straight into it.
  uint8_t* chunk = nullptr;
  size_t limit = 0;
  auto next_chunk = [&] {
    uint8_t* placed = io.PlaceChunk();
    chunk = placed ? placed : io.out_buffer();
    // Never more than one byte past the recorded size: that byte already
    // proves the member too long, and the flush below refuses the chunk.
    limit = io.ChunkLimit();
    z->next_out = chunk;
    z->avail_out = uInt(limit);
  };
  next_chunk();
  for (;;) {
    // Once the compressed bytes are all handed over, inflate is still called:
    // a call that stopped because the chunk was full may hold output back
    // (the rest of a match, the end of the block). Only a call that can make
    // no progress at all (Z_BUF_ERROR) means the stream was cut short.
    if (z->avail_in == 0) Refill(io, z.get());
    int result = inflate(z.get(), Z_NO_FLUSH);
    // Z_NEED_DICT cannot come from raw data; treat any other result as an error.
    if (result < 0 || (result != Z_OK && result != Z_STREAM_END)) throw EZCompressionError();
    if (z->avail_out == 0 || result == Z_STREAM_END) {
      const size_t n = limit - z->avail_out;
      if (chunk == io.out_buffer()) {
        io.SetOutputCount(n);
        io.FlushOutput();
      } else {
        io.FlushPlaced(chunk, n);
      }
      next_chunk();
    }
    if (result == Z_STREAM_END) break;
  }
  z.End();
}

}  // namespace varnett
