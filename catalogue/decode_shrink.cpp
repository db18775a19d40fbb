// Method 1, shrinking: LZW with codes that widen on request and a table that
// is cleared in part.
//
// The member's data is a run of codes packed one after another, least
// significant bit first, with no padding between them. A code is 9 bits wide
// at the start and at most 13, so there are at most 8192 codes:
//
//   0 to 255     the byte of that value
//   256          a control code; the next code, of the same width, says what
//                to do:  1  every later code is one bit wider
//                        2  partial clear (below)
//                Any other value, or a widening past 13 bits, is damage
//                and ends the decoding.
//   257 to 8191  strings the decoder defines as it goes
//
// Each code read after the first (control codes and their values aside)
// makes the decoder define one string: the previous code's string and the
// first byte of the current code's string. It takes the lowest free code
// from 257 up; when no code is free, nothing is defined. The encoder defined that
// string one code earlier, right after sending the previous code, and may
// use it at once: so the code just read may be the one being defined
// ("KwKwK"), whose string is then the previous string followed by that
// string's own first byte.
//
// The width never grows by itself when the codes of a width are used up, as
// in other LZW formats: the encoder says when with 256, 1.
//
// A partial clear (256, 2) frees every code from 257 up that is a leaf, that
// is no code in use names it as its prefix. Strings that others extend stay,
// so the table keeps its inner nodes; the freed codes are handed out again
// lowest first. The width stays as it was, and the previous code stays the
// previous code: the next code read still defines a string from it, even
// when the clear has freed it.
//
// The data has no end code: decoding stops when the input holds no whole
// code, or at a code that names nothing (a damaged stream).
#include <memory>

#include "catalogue/decoders.h"

namespace varnett {
namespace {

constexpr int kCodes = 8192;  // the most 13 bits can name
constexpr int kControl = 256;
constexpr int kFirstFree = 257;
constexpr int16_t kFree = -1;

// A set of codes as 128 words of bits, so that the lowest member at or
// after a code is found in a few steps.
class CodeSet {
 public:
  void Add(int c) { words_[c >> 6] |= uint64_t(1) << (c & 63); }
  void Remove(int c) { words_[c >> 6] &= ~(uint64_t(1) << (c & 63)); }
  // The lowest member >= from, or kCodes.
  int First(int from) const {
    if (from >= kCodes) return kCodes;
    int w = from >> 6;
    uint64_t bits = words_[w] & (~uint64_t(0) << (from & 63));
    while (bits == 0) {
      if (++w == kCodes / 64) return kCodes;
      bits = words_[w];
    }
    return (w << 6) + __builtin_ctzll(bits);
  }

 private:
  uint64_t words_[kCodes / 64] = {};
};

// The code table. Each code past 257 is free or a prefix code plus one byte.
// Leaves (codes no other code extends) are tracked as codes are added, so a
// partial clear costs what it frees, however often a stream asks for one.
struct Table {
  int16_t prefix[kCodes];
  uint8_t suffix[kCodes];
  uint16_t children[kCodes] = {};
  uint8_t stack[kCodes + 1];
  int freed[kCodes];
  CodeSet free_codes;
  CodeSet leaves;

  Table() {
    for (int c = 0; c < kCodes; ++c) {
      prefix[c] = c < kFirstFree ? int16_t(c) : kFree;
      suffix[c] = uint8_t(c);
      if (c >= kFirstFree) free_codes.Add(c);
    }
  }
  bool InUse(int code) const {
    return code < kControl || (code >= kFirstFree && prefix[code] != kFree);
  }
  int NextFree(int from) const { return free_codes.First(from); }

  // A code counts the codes in use that name it as their prefix, also while
  // it is free: a clear can free the previous code just before the next code
  // names it, so a slot may come back into use with extensions already in
  // place, and then it is no leaf.
  void Define(int code, int parent, uint8_t byte) {
    prefix[code] = int16_t(parent);
    suffix[code] = byte;
    free_codes.Remove(code);
    if (parent >= kFirstFree && children[parent]++ == 0) leaves.Remove(parent);
    if (children[code] == 0) leaves.Add(code);
  }

  // Frees every code that is no other code's prefix. Codes that become
  // leaves by this are freed only by the next clear.
  void PartialClear() {
    int n = 0;
    for (int c = leaves.First(kFirstFree); c < kCodes; c = leaves.First(c + 1)) freed[n++] = c;
    for (int i = 0; i < n; ++i) {
      int c = freed[i];
      int parent = prefix[c];
      prefix[c] = kFree;
      leaves.Remove(c);
      free_codes.Add(c);
      if (parent >= kFirstFree && children[parent] > 0 && --children[parent] == 0 &&
          prefix[parent] != kFree) {
        leaves.Add(parent);
      }
    }
  }

  // Spells `code` backwards into the stack; returns its length, or 0 when the
  // chain leads to a freed code or loops (a damaged stream). The chain may
  // pass through `pending`, the code defined by this very step (kCodes for
  // none), whose last byte is the string's first: it is filled in once that
  // byte is known.
  int Spell(int code, int pending) {
    int n = 0;
    int pending_at = -1;
    while (code >= kFirstFree) {
      if (prefix[code] == kFree || n == kCodes) return 0;
      if (code == pending) pending_at = n;
      stack[n++] = suffix[code];
      code = prefix[code];
    }
    if (code == kControl) return 0;
    stack[n++] = uint8_t(code);
    if (pending < kCodes) suffix[pending] = stack[n - 1];
    if (pending_at >= 0) stack[pending_at] = stack[n - 1];
    return n;
  }
};

void Decode(MemberIO& io) {
  auto table = std::make_unique<Table>();
  int code_size = 9;
  int previous = -1;
  int free_code = kFirstFree;
  for (;;) {
    // Step 1: the next code, at the current width.
    if (!io.NeedBits(code_size)) return;
    int code = int(io.Bits(code_size));
    // Step 2: a control code and its value change the table or the width,
    // and define nothing.
    if (code == kControl) {
      if (!io.NeedBits(code_size)) return;
      int what = int(io.Bits(code_size));
      if (what == 1 && code_size < 13) {
        ++code_size;
      } else if (what == 2) {
        table->PartialClear();
        free_code = table->NextFree(kFirstFree);
      } else {
        return;  // no other control code exists
      }
      continue;
    }

    // Step 3: the code this step defines (the previous string and the first
    // byte of the current one) is put in place before the current code is
    // spelled: the current code may be that very code, or, after a clear
    // freed the previous code and a later step reused its slot, a code that
    // extends it. Its last byte is filled in by the spelling.
    int pending = kCodes;
    if (previous >= 0 && free_code < kCodes) {
      pending = free_code;
      table->Define(pending, previous, 0);
      free_code = table->NextFree(free_code + 1);
    }
    // Step 4: the current code's string, spelled last byte first and written
    // out first byte first.
    if (!table->InUse(code)) return;
    const int length = table->Spell(code, pending);
    if (length == 0) return;
    for (int i = length - 1; i >= 0; --i) io.Put(table->stack[i]);
    previous = code;
  }
}

}  // namespace

void Unshrink(MemberIO& io) {
  Decode(io);
  io.FlushOutput();
}

}  // namespace varnett
