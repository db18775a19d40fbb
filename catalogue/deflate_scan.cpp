#include "catalogue/deflate_scan.h"

#include <cstring>

namespace varnett {
namespace {

// Bits of the stream, least significant first, with the bytes past its end
// read as zeros that may be looked at but never used.
class Bits {
 public:
  Bits(const uint8_t* in, size_t size) : p_(in), end_(in + size) {}

  // At least 57 bits in the buffer (zeros past the end).
  void Fill() {
    while (count_ <= 56) {
      if (p_ < end_) {
        buffer_ |= uint64_t(*p_++) << count_;
      } else {
        ++overread_;
      }
      count_ += 8;
    }
  }
  uint32_t Peek(int n) {
    Fill();
    return uint32_t(buffer_ & ((uint64_t(1) << n) - 1));
  }
  // False when the bits lie past the end of the stream.
  bool Drop(int n) {
    buffer_ >>= n;
    count_ -= n;
    return count_ >= overread_ * 8;
  }
  bool Take(int n, uint32_t* v) {
    *v = Peek(n);
    return Drop(n);
  }
  // To the next byte boundary.
  bool Align() { return Drop(count_ % 8); }
  // Passes `n` whole bytes, once aligned: the buffered ones first, then
  // straight from the input.
  bool SkipBytes(size_t n) {
    while (n > 0 && count_ > 0) {
      if (!Drop(8)) return false;
      --n;
    }
    if (n == 0) return true;
    if (overread_ > 0 || n > size_t(end_ - p_)) return false;
    p_ += n;
    return true;
  }

 private:
  const uint8_t* p_;
  const uint8_t* end_;
  uint64_t buffer_ = 0;
  int count_ = 0;
  int overread_ = 0;  // bytes of zeros appended past the end
};

constexpr int kMaxBits = 15;
constexpr int kFastBits = 10;

// A canonical prefix code: a table for the codewords of up to kFastBits
// bits, and the counts and sorted symbols for the longer ones (puff's way).
struct Code {
  uint16_t fast[1 << kFastBits];  // symbol << 4 | length; 0 for longer codes
  uint16_t count[kMaxBits + 1];
  uint16_t symbol[320];
  bool empty;

  // False when the lengths over- or under-fill the code space: zlib takes
  // only an empty distance code and a lone length-1 code among those, and
  // the second is refused here too.
  bool Build(const uint8_t* lengths, int n) {
    std::memset(count, 0, sizeof count);
    for (int s = 0; s < n; ++s) ++count[lengths[s]];
    empty = count[0] == n;
    if (empty) return true;
    int left = 1;
    for (int len = 1; len <= kMaxBits; ++len) {
      left = (left << 1) - count[len];
      if (left < 0) return false;
    }
    if (left != 0) return false;
    uint16_t offsets[kMaxBits + 2];
    offsets[1] = 0;
    for (int len = 1; len <= kMaxBits; ++len) offsets[len + 1] = offsets[len] + count[len];
    for (int s = 0; s < n; ++s) {
      if (lengths[s] != 0) symbol[offsets[lengths[s]]++] = uint16_t(s);
    }
    // Fill the fast table: the codewords in canonical order, bit-reversed.
    std::memset(fast, 0, sizeof fast);
    uint32_t code = 0;
    int index = 0;
    for (int len = 1; len <= kFastBits; ++len) {
      for (int k = 0; k < count[len]; ++k, ++index, ++code) {
        uint32_t reversed = 0;
        for (int b = 0; b < len; ++b) reversed |= ((code >> b) & 1) << (len - 1 - b);
        for (uint32_t at = reversed; at < (1u << kFastBits); at += 1u << len) {
          fast[at] = uint16_t(symbol[index] << 4 | len);
        }
      }
      code <<= 1;
    }
    return true;
  }

  // The next symbol, or -1 when the bits run past the end.
  int Decode(Bits& bits) const {
    const uint16_t e = fast[bits.Peek(kFastBits)];
    if (e != 0) return bits.Drop(e & 15) ? e >> 4 : -1;
    // Longer than kFastBits: canonical decoding a bit at a time.
    uint32_t all = bits.Peek(kMaxBits);
    int code = 0, first = 0, index = 0;
    for (int len = 1; len <= kMaxBits; ++len) {
      code |= int(all & 1);
      all >>= 1;
      const int n = count[len];
      if (code - n < first) return bits.Drop(len) ? symbol[index + (code - first)] : -1;
      index += n;
      first = (first + n) << 1;
      code <<= 1;
    }
    return -1;
  }
};

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                      15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                      67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                    33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                    1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

struct Codes {
  Code litlen;
  Code dist;
};

// The symbols of one block up to its end; `made` counts the output.
bool WalkBlock(Bits& bits, const Codes& c, uint64_t* made, uint64_t most) {
  for (;;) {
    const int sym = c.litlen.Decode(bits);
    if (sym < 0) return false;
    if (sym < 256) {
      if (++*made > most) return false;
      continue;
    }
    if (sym == 256) return true;
    if (sym > 285) return false;  // zlib: "invalid literal/length code"
    uint32_t extra = 0;
    if (!bits.Take(kLengthExtra[sym - 257], &extra)) return false;
    const uint32_t length = kLengthBase[sym - 257] + extra;
    if (c.dist.empty) return false;  // zlib: "invalid distance code"
    const int d = c.dist.Decode(bits);
    if (d < 0 || d > 29) return false;
    if (!bits.Take(kDistExtra[d], &extra)) return false;
    if (kDistBase[d] + extra > *made) return false;  // too far back
    *made += length;
    if (*made > most) return false;
  }
}

bool ReadDynamicCodes(Bits& bits, Codes* c) {
  uint32_t hlit, hdist, hclen;
  if (!bits.Take(5, &hlit) || !bits.Take(5, &hdist) || !bits.Take(4, &hclen)) return false;
  const int nlen = int(hlit) + 257, ndist = int(hdist) + 1, ncode = int(hclen) + 4;
  if (nlen > 286 || ndist > 30) return false;  // zlib: "too many length or distance symbols"
  static constexpr uint8_t kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                         11, 4,  12, 3, 13, 2, 14, 1, 15};
  uint8_t lengths[320] = {};
  for (int i = 0; i < ncode; ++i) {
    uint32_t v;
    if (!bits.Take(3, &v)) return false;
    lengths[kOrder[i]] = uint8_t(v);
  }
  Code precode;
  if (!precode.Build(lengths, 19) || precode.empty) return false;
  std::memset(lengths, 0, sizeof lengths);
  int i = 0;
  while (i < nlen + ndist) {
    const int sym = precode.Decode(bits);
    if (sym < 0) return false;
    if (sym < 16) {
      lengths[i++] = uint8_t(sym);
      continue;
    }
    uint32_t rep;
    uint8_t value = 0;
    if (sym == 16) {
      if (i == 0) return false;
      value = lengths[i - 1];
      if (!bits.Take(2, &rep)) return false;
      rep += 3;
    } else if (sym == 17) {
      if (!bits.Take(3, &rep)) return false;
      rep += 3;
    } else {
      if (!bits.Take(7, &rep)) return false;
      rep += 11;
    }
    if (i + int(rep) > nlen + ndist) return false;  // zlib: "invalid bit length repeat"
    while (rep-- > 0) lengths[i++] = value;
  }
  if (lengths[256] == 0) return false;  // zlib: "invalid code -- missing end-of-block"
  if (!c->litlen.Build(lengths, nlen) || c->litlen.empty) return false;
  return c->dist.Build(lengths + nlen, ndist);
}

void FixedCodes(Codes* c) {
  uint8_t lengths[320];
  // The fixed distance code has 30 symbols of 5 bits plus two reserved,
  // which zlib refuses when used: built over 32, 30 and 31 are caught by the
  // walk.
  for (int s = 0; s < 144; ++s) lengths[s] = 8;
  for (int s = 144; s < 256; ++s) lengths[s] = 9;
  for (int s = 256; s < 280; ++s) lengths[s] = 7;
  for (int s = 280; s < 288; ++s) lengths[s] = 8;
  for (int s = 0; s < 32; ++s) lengths[288 + s] = 5;
  c->litlen.Build(lengths, 288);
  c->dist.Build(lengths + 288, 32);
}

}  // namespace

bool DeflateStreamIsStrict(const uint8_t* in, size_t size, uint64_t most) {
  Bits bits(in, size);
  uint64_t made = 0;
  static const Codes fixed = [] {
    Codes c;
    FixedCodes(&c);
    return c;
  }();
  Codes dynamic;
  for (;;) {
    uint32_t final_block, type;
    if (!bits.Take(1, &final_block) || !bits.Take(2, &type)) return false;
    if (type == 0) {
      // Stored: to the byte boundary, then LEN and its complement.
      uint32_t len, nlen;
      if (!bits.Align()) return false;
      if (!bits.Take(16, &len) || !bits.Take(16, &nlen)) return false;
      if (len != (~nlen & 0xFFFF)) return false;
      made += len;
      if (made > most || !bits.SkipBytes(len)) return false;
    } else if (type == 1) {
      if (!WalkBlock(bits, fixed, &made, most)) return false;
    } else if (type == 2) {
      if (!ReadDynamicCodes(bits, &dynamic) || !WalkBlock(bits, dynamic, &made, most)) return false;
    } else {
      return false;
    }
    if (final_block) return true;
  }
}

}  // namespace varnett
