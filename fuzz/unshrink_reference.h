// A second unshrinker for the fuzz target to hold ours against: the plainest
// reading of the format, with none of the decoder's bookkeeping. A partial
// clear marks every code that an in-use code names as its prefix and frees
// every other code past 256, at the cost of a pass over the table.
// It stops where ours must stop, and says why.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varnett {

struct ReferenceUnshrink {
  std::string output;
  // False when it stopped on a damaged code rather than at the end of the
  // bits (or at `limit` bytes of output).
  bool clean = true;
  // It stopped on a code in use whose chain of prefixes meets a free code
  // or goes round in a loop, rather than on a code not in use or a control
  // code that does not exist: the damage a misread table would show.
  bool broken_chain = false;
  // Info-ZIP's unzip frees leaves only among the codes up to the one it
  // handed out last since the previous clear. A clear found codes in use
  // above that point: defined there, or named there as the prefix of a code
  // in use (an orphan's freed prefix). unzip then reads the rest of the
  // stream otherwise: it keeps such a code, frees its prefix, or keeps a mark
  // on the named slot that later makes it pass over the slot when handing
  // out codes.
  bool clear_above_last_code = false;
  // Whole bytes of input the codes read took, the last one partly used.
  size_t bytes_used = 0;
};

inline ReferenceUnshrink RunReferenceUnshrink(const uint8_t* data, size_t size, size_t limit) {
  constexpr int kCodes = 8192, kControl = 256, kFree = -1;
  ReferenceUnshrink r;
  std::vector<int> prefix(kCodes, kFree);
  std::vector<uint8_t> suffix(kCodes, 0);
  for (int c = 0; c < 256; ++c) {
    prefix[c] = kControl;  // a literal: no prefix
    suffix[c] = uint8_t(c);
  }
  size_t bit = 0;
  int code_size = 9;
  auto read = [&](int* value) {
    if (bit + size_t(code_size) > size * 8) return false;
    *value = 0;
    for (int i = 0; i < code_size; ++i, ++bit) *value |= ((data[bit / 8] >> (bit % 8)) & 1) << i;
    return true;
  };
  auto next_free = [&](int from) {
    while (from < kCodes && prefix[from] != kFree) ++from;
    return from;
  };
  // The string of `code` in order, or false when its chain meets a free code
  // or goes round in a loop.
  auto spell = [&](int code, std::string* s) {
    s->clear();
    for (int steps = 0; code != kControl; ++steps) {
      if (prefix[code] == kFree || steps == kCodes) return false;
      s->push_back(char(suffix[code]));
      code = prefix[code];
    }
    std::reverse(s->begin(), s->end());
    return true;
  };
  // `top`: the highest code ever defined; no code above it is in use.
  int previous = -1, free_code = 257, last_handed_out = kControl, top = kControl, code;
  std::string s;
  while (r.output.size() < limit && read(&code)) {
    if (code == kControl) {
      int what;
      if (!read(&what)) break;
      if (what == 1 && code_size < 13) {
        ++code_size;
      } else if (what == 2) {
        std::vector<bool> is_prefix(kCodes, false);
        for (int c = 257; c <= top; ++c) {
          if (prefix[c] != kFree && prefix[c] != kControl) is_prefix[prefix[c]] = true;
          if (prefix[c] != kFree && (c > last_handed_out || prefix[c] > last_handed_out))
            r.clear_above_last_code = true;
        }
        for (int c = 257; c <= top; ++c) {
          if (!is_prefix[c]) prefix[c] = kFree;
        }
        free_code = next_free(257);
        last_handed_out = kControl;
      } else {
        r.clean = false;
        break;
      }
      continue;
    }
    // The code this step defines, the previous string and the first byte of
    // the current one, exists before the current code is read: the current
    // code may be it, or extend it.
    int defined = -1;
    if (previous >= 0 && free_code < kCodes) {
      defined = free_code;
      prefix[defined] = previous;
      last_handed_out = defined;
      top = std::max(top, defined);
      free_code = next_free(free_code + 1);
    }
    if (prefix[code] == kFree) {
      r.clean = false;
      break;
    }
    // Its last byte is the current string's first: the root of the chain.
    if (defined >= 0) {
      int root = code;
      for (int steps = 0; root >= 257 && steps <= kCodes; ++steps) root = prefix[root];
      suffix[defined] = uint8_t(root < 256 ? root : 0);
    }
    if (!spell(code, &s)) {
      r.clean = false;
      r.broken_chain = true;
      break;
    }
    r.output += s;
    previous = code;
  }
  r.bytes_used = (bit + 7) / 8;
  return r;
}

}  // namespace varnett
