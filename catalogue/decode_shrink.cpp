#include <cstring>
#include <memory>

#include "catalogue/decoders.h"

namespace varnett {
namespace {

constexpr int kCodes = 8192;  // 13-bit codes
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
  // chain leads to a freed code or loops (a damaged stream).
  int Spell(int code) {
    int n = 0;
    while (code >= kFirstFree) {
      if (prefix[code] == kFree || n == kCodes) return 0;
      stack[n++] = suffix[code];
      code = prefix[code];
    }
    if (code == kControl) return 0;
    stack[n++] = uint8_t(code);
    return n;
  }
};

void Decode(MemberIO& io) {
  auto table = std::make_unique<Table>();
  int code_size = 9;
  int previous = -1;
  int free_code = kFirstFree;
  for (;;) {
    if (!io.NeedBits(code_size)) return;
    int code = int(io.Bits(code_size));
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

    int length;
    uint8_t first;
    if (table->InUse(code)) {
      length = table->Spell(code);
      if (length == 0) return;
      first = table->stack[length - 1];
    } else if (code == free_code && previous >= 0) {
      // The code being defined by this very step: the previous string and
      // its own first byte.
      length = table->Spell(previous);
      if (length == 0) return;
      first = table->stack[length - 1];
      std::memmove(table->stack + 1, table->stack, size_t(length));
      table->stack[0] = first;
      ++length;
    } else {
      return;
    }
    for (int i = length - 1; i >= 0; --i) io.Put(table->stack[i]);

    if (previous >= 0 && free_code < kCodes) {
      table->Define(free_code, previous, first);
      free_code = table->NextFree(free_code + 1);
    }
    previous = code;
  }
}

}  // namespace

void Unshrink(MemberIO& io) {
  Decode(io);
  io.FlushOutput();
}

}  // namespace varnett
