#include <cstring>
#include <memory>
#include <vector>

#include "catalogue/decoders.h"

namespace varnett {
namespace {

constexpr int kCodes = 8192;  // 13-bit codes
constexpr int kControl = 256;
constexpr int kFirstFree = 257;
constexpr int16_t kFree = -1;

struct Table {
  int16_t prefix[kCodes];
  uint8_t suffix[kCodes];
  uint8_t stack[kCodes + 1];

  Table() {
    for (int c = 0; c < kCodes; ++c) {
      prefix[c] = c < kFirstFree ? int16_t(c) : kFree;
      suffix[c] = uint8_t(c);
    }
  }
  bool InUse(int code) const {
    return code < kControl || (code >= kFirstFree && prefix[code] != kFree);
  }

  int NextFree(int from) const {
    for (int c = from; c < kCodes; ++c) {
      if (prefix[c] == kFree) return c;
    }
    return kCodes;
  }

  // Frees every code that is no other code's prefix ("leaf" codes).
  void PartialClear() {
    std::vector<bool> is_prefix(kCodes, false);
    for (int c = kFirstFree; c < kCodes; ++c) {
      if (prefix[c] != kFree) is_prefix[prefix[c]] = true;
    }
    for (int c = kFirstFree; c < kCodes; ++c) {
      if (prefix[c] != kFree && !is_prefix[c]) prefix[c] = kFree;
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
      table->prefix[free_code] = int16_t(previous);
      table->suffix[free_code] = first;
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
