#include "catalogue/deflate_scan.h"

#include <array>
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

// What a codeword stands for, as the walk needs it, in one word: the
// codeword's length (bits 0-3; 0 when the table does not hold it), the
// extra bits that follow it (4-7), the kind (8-9) and the base of the length
// or distance (16-31). A match is then one lookup and one shift per code.
enum Kind : uint32_t { kLiteral = 0, kMatch = 1, kEnd = 2, kRefused = 3 };
constexpr uint32_t Entry(Kind kind, uint32_t base = 0, uint32_t extra = 0) {
  return base << 16 | uint32_t(kind) << 8 | extra << 4;
}
constexpr int CodewordLength(uint32_t e) { return int(e & 15); }
constexpr int ExtraBits(uint32_t e) { return int(e >> 4 & 15); }
constexpr Kind KindOf(uint32_t e) { return Kind(e >> 8 & 3); }
constexpr uint32_t Base(uint32_t e) { return e >> 16; }
// A codeword the code lacks: zlib's "invalid ... code".
constexpr uint32_t kMissing = Entry(kRefused);

// A canonical prefix code: a table for the codewords of up to kFastBits
// bits, and the counts and sorted symbols for the longer ones (puff's way).
struct Code {
  uint32_t fast[1 << kFastBits];  // the entry with its codeword's length; 0 for longer codes
  const uint32_t* entries;        // each symbol's entry, without a length
  uint16_t count[kMaxBits + 1];
  uint16_t symbol[320];
  bool empty;

  // False when the lengths over- or under-fill the code space: zlib takes
  // only an empty distance code and a lone length-1 code among those, and
  // the second is refused here too.
  bool Build(const uint8_t* lengths, int n, const uint32_t* symbol_entries) {
    entries = symbol_entries;
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
          fast[at] = entries[symbol[index]] | uint32_t(len);
        }
      }
      code <<= 1;
    }
    return true;
  }

  // The entry of the next codeword, with its length, which is not dropped;
  // kMissing (length 0) for a codeword the code lacks. The bits must be
  // filled.
  uint32_t Lookup(const Bits& bits) const {
    const uint32_t e = fast[bits.Peek(kFastBits)];
    if (e != 0) return e;
    // Longer than kFastBits: canonical decoding a bit at a time.
    uint32_t all = bits.Peek(kMaxBits);
    int code = 0, first = 0, index = 0;
    for (int len = 1; len <= kMaxBits; ++len) {
      code |= int(all & 1);
      all >>= 1;
      const int n = count[len];
      if (code - n < first) return entries[symbol[index + (code - first)]] | uint32_t(len);
      index += n;
      first = (first + n) << 1;
      code <<= 1;
    }
    return kMissing;
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

// The entries of the literal/length symbols: 286 and 287, which only the
// fixed code has, always refused (zlib: "invalid literal/length code"), and
// the lengths too when the block's distance code is empty (zlib: "invalid
// distance code").
constexpr std::array<uint32_t, 288> kLiteralLengthEntries = [] {
  std::array<uint32_t, 288> t{};
  for (int s = 0; s < 288; ++s) {
    t[s] = s < 256    ? Entry(kLiteral)
           : s == 256 ? Entry(kEnd)
           : s < 286  ? Entry(kMatch, kLengthBase[s - 257], kLengthExtra[s - 257])
                      : kMissing;
  }
  return t;
}();
constexpr std::array<uint32_t, 288> kLiteralEntriesOnly = [] {
  std::array<uint32_t, 288> t = kLiteralLengthEntries;
  for (int s = 257; s < 288; ++s) t[s] = kMissing;
  return t;
}();

// The distance symbols; 30 and 31, which only the fixed code has, refused
// (zlib: "invalid distance code").
constexpr std::array<uint32_t, 32> kDistanceEntries = [] {
  std::array<uint32_t, 32> t{};
  for (int s = 0; s < 32; ++s)
    t[s] = s < 30 ? Entry(kMatch, kDistBase[s], kDistExtra[s]) : kMissing;
  return t;
}();

struct Codes {
  Code litlen;
  Code dist;
};

// The value of the extra bits after the codeword of `e`, and both dropped.
uint32_t TakeEntry(Bits& bits, uint32_t e) {
  const int length = CodewordLength(e), extra = ExtraBits(e);
  const uint32_t value = Base(e) + (bits.Peek(length + extra) >> length);
  bits.Drop(length + extra);
  return value;
}

// The symbols of one block up to its end; `made` counts the output. With 48
// bits filled a whole match is there: 15 bits of length code, 5 extra, 15 of
// distance code and 13 extra.
bool WalkBlock(Bits& stream, const Codes& c, uint64_t* made_so_far, uint64_t most) {
  // Locals the compiler keeps in registers, written back at the end.
  Bits bits = stream;
  uint64_t made = *made_so_far;
  const Code& litlen = c.litlen;
  const Code& dist = c.dist;
  bool sound = false;
  for (;;) {
    if (bits.Count() < 48) bits.Fill();
    const uint32_t e = litlen.Lookup(bits);
    const Kind kind = KindOf(e);
    if (kind == kLiteral) {
      bits.Drop(CodewordLength(e));
      if (++made > most) break;
      continue;
    }
    if (kind == kEnd) {
      bits.Drop(CodewordLength(e));
      sound = !bits.Past();
      break;
    }
    if (kind == kRefused) break;
    const uint32_t length = TakeEntry(bits, e);
    const uint32_t d = dist.Lookup(bits);
    if (KindOf(d) == kRefused) break;
    const uint32_t distance = TakeEntry(bits, d);
    if (distance > made) break;  // zlib: "invalid distance too far back"
    made += length;
    if (made > most) break;
  }
  stream = bits;
  *made_so_far = made;
  return sound;
}

// The code-length symbols, each its own value.
constexpr std::array<uint32_t, 19> kPrecodeEntries = [] {
  std::array<uint32_t, 19> t{};
  for (int s = 0; s < 19; ++s) t[s] = Entry(kLiteral, uint32_t(s));
  return t;
}();

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
  if (!precode.Build(lengths, 19, kPrecodeEntries.data()) || precode.empty) return false;
  std::memset(lengths, 0, sizeof lengths);
  int i = 0;
  while (i < nlen + ndist) {
    bits.Fill();
    const uint32_t e = precode.Lookup(bits);
    if (KindOf(e) == kRefused) return false;
    bits.Drop(CodewordLength(e));
    const int sym = int(Base(e));
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
  if (!c->dist.Build(lengths + nlen, ndist, kDistanceEntries.data())) return false;
  return c->litlen.Build(
             lengths, nlen,
             c->dist.empty ? kLiteralEntriesOnly.data() : kLiteralLengthEntries.data()) &&
         !c->litlen.empty;
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
  c->dist.Build(lengths + 288, 32, kDistanceEntries.data());
  c->litlen.Build(lengths, 288, kLiteralLengthEntries.data());
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
