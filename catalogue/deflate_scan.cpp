#include "catalogue/deflate_scan.h"

#include <cstring>

namespace varnett {
namespace {

// Bits of the stream, least significant first, with the bytes past its end
// read as zeros: they may be looked at, and Past() tells whether any was
// used.
class Bits {
 public:
  Bits(const uint8_t* in, size_t size) : p_(in), end_(in + size) {}

  // At least 57 bits in the buffer: eight bytes at once while they are
  // there (the bits above the count are the stream's next ones all the
  // same), one at a time near the end.
  void Fill() {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    if (end_ - p_ >= 8) {
      uint64_t word;
      std::memcpy(&word, p_, 8);
      buffer_ |= word << count_;
      p_ += (63 - count_) >> 3;
      count_ |= 56;
      return;
    }
#endif
    while (count_ <= 56) {
      if (p_ < end_) {
        buffer_ |= uint64_t(*p_++) << count_;
      } else {
        ++overread_;
      }
      count_ += 8;
    }
  }
  // The next `n` bits (of those filled).
  uint32_t Peek(int n) const { return uint32_t(buffer_ & ((uint64_t(1) << n) - 1)); }
  void Drop(int n) {
    buffer_ >>= n;
    count_ -= n;
  }
  uint32_t Take(int n) {
    Fill();
    const uint32_t v = Peek(n);
    Drop(n);
    return v;
  }
  int Count() const { return count_; }
  // Whether bits past the end of the stream were used.
  bool Past() const { return count_ < overread_ * 8; }
  // To the next byte boundary.
  void Align() { Drop(count_ % 8); }
  // Passes `n` whole bytes, once aligned: the buffered ones first, then
  // straight from the input.
  bool SkipBytes(size_t n) {
    while (n > 0 && count_ > 0) {
      Drop(8);
      --n;
    }
    if (Past()) return false;
    if (n == 0) return true;
    if (n > size_t(end_ - p_)) return false;
    p_ += n;
    buffer_ = 0;  // the bits above the count were those of the bytes passed
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

  // The next symbol, or -1 for a codeword the code lacks; the bits must be
  // filled.
  int Decode(Bits& bits) const {
    const uint16_t e = fast[bits.Peek(kFastBits)];
    if (e != 0) {
      bits.Drop(e & 15);
      return e >> 4;
    }
    // Longer than kFastBits: canonical decoding a bit at a time.
    uint32_t all = bits.Peek(kMaxBits);
    int code = 0, first = 0, index = 0;
    for (int len = 1; len <= kMaxBits; ++len) {
      code |= int(all & 1);
      all >>= 1;
      const int n = count[len];
      if (code - n < first) {
        bits.Drop(len);
        return symbol[index + (code - first)];
      }
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

// The symbols of one block up to its end; `made` counts the output. One
// fill serves a whole symbol: 15 bits of length code, 5 extra, 15 of
// distance code and 13 extra.
bool WalkBlock(Bits& stream, const Codes& c, uint64_t* made_so_far, uint64_t most) {
  // Locals the compiler keeps in registers, written back at the end.
  Bits bits = stream;
  uint64_t made = *made_so_far;
  const Code& litlen = c.litlen;
  const Code& dist = c.dist;
  bool sound = false;
  for (;;) {
    bits.Fill();
    int sym = litlen.Decode(bits);
    // A second literal from the same fill, while a whole codeword is left.
    if (sym >= 0 && sym < 256 && bits.Count() >= kMaxBits) {
      if (++made > most) break;
      sym = litlen.Decode(bits);
    }
    if (sym < 256) {
      if (sym < 0 || ++made > most) break;
      continue;
    }
    if (sym == 256) {
      sound = !bits.Past();
      break;
    }
    if (sym > 285) break;  // zlib: "invalid literal/length code"
    const int length_extra = kLengthExtra[sym - 257];
    const uint32_t length = kLengthBase[sym - 257] + bits.Peek(length_extra);
    bits.Drop(length_extra);
    if (bits.Count() < 28) bits.Fill();
    if (dist.empty) break;  // zlib: "invalid distance code"
    const int d = dist.Decode(bits);
    if (d < 0 || d > 29) break;
    const uint32_t distance = kDistBase[d] + bits.Peek(kDistExtra[d]);
    bits.Drop(kDistExtra[d]);
    if (distance > made) break;  // zlib: "invalid distance too far back"
    made += length;
    if (made > most) break;
  }
  stream = bits;
  *made_so_far = made;
  return sound;
}

bool ReadDynamicCodes(Bits& bits, Codes* c) {
  const int nlen = int(bits.Take(5)) + 257;
  const int ndist = int(bits.Take(5)) + 1;
  const int ncode = int(bits.Take(4)) + 4;
  if (nlen > 286 || ndist > 30) return false;  // zlib: "too many length or distance symbols"
  static constexpr uint8_t kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                         11, 4,  12, 3, 13, 2, 14, 1, 15};
  uint8_t lengths[320] = {};
  for (int i = 0; i < ncode; ++i) lengths[kOrder[i]] = uint8_t(bits.Take(3));
  Code precode;
  if (!precode.Build(lengths, 19) || precode.empty) return false;
  std::memset(lengths, 0, sizeof lengths);
  int i = 0;
  while (i < nlen + ndist) {
    bits.Fill();
    const int sym = precode.Decode(bits);
    if (sym < 0) return false;
    if (sym < 16) {
      lengths[i++] = uint8_t(sym);
      continue;
    }
    uint32_t rep;
    uint8_t value = 0;
    if (sym == 16) {
      if (i == 0) return false;  // zlib: "invalid bit length repeat"
      value = lengths[i - 1];
      rep = 3 + bits.Take(2);
    } else if (sym == 17) {
      rep = 3 + bits.Take(3);
    } else {
      rep = 11 + bits.Take(7);
    }
    if (i + int(rep) > nlen + ndist) return false;  // zlib: "invalid bit length repeat"
    while (rep-- > 0) lengths[i++] = value;
  }
  if (bits.Past()) return false;
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
    const uint32_t final_block = bits.Take(1);
    const uint32_t type = bits.Take(2);
    if (type == 0) {
      // Stored: to the byte boundary, then LEN and its complement.
      bits.Align();
      const uint32_t len = bits.Take(16);
      const uint32_t nlen = bits.Take(16);
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
    if (final_block) return !bits.Past();
  }
}

}  // namespace varnett
