// A second unshrinker for the fuzz target to hold ours against: the plainest
// reading of the format, with none of the decoder's bookkeeping. A partial
// clear marks every code that an in-use code names as its prefix and frees
// every other code past 256, at the cost of a pass over the whole table.
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
  // A clear came while free codes remained. Such clears are read
  // differently by other unshrinkers, so outputs are compared with them only
  // when this stays false.
  bool cleared_partial_table = false;
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
  int previous = -1, free_code = 257, code;
  std::string s;
  while (r.output.size() < limit && read(&code)) {
    if (code == kControl) {
      int what;
      if (!read(&what)) break;
      if (what == 1 && code_size < 13) {
        ++code_size;
      } else if (what == 2) {
        r.cleared_partial_table |= free_code < kCodes;
        std::vector<bool> is_prefix(kCodes, false);
        for (int c = 257; c < kCodes; ++c) {
          if (prefix[c] != kFree && prefix[c] != kControl) is_prefix[prefix[c]] = true;
        }
        for (int c = 257; c < kCodes; ++c) {
          if (!is_prefix[c]) prefix[c] = kFree;
        }
        free_code = next_free(257);
      } else {
        r.clean = false;
        break;
      }
      continue;
    }
    if (prefix[code] != kFree) {
      if (!spell(code, &s)) {
        r.clean = false;
        break;
      }
    } else if (code == free_code && previous >= 0 && spell(previous, &s)) {
      s += s[0];
    } else {
      r.clean = false;
      break;
    }
    r.output += s;
    if (previous >= 0 && free_code < kCodes) {
      prefix[free_code] = previous;
      suffix[free_code] = uint8_t(s[0]);
      free_code = next_free(free_code + 1);
    }
    previous = code;
  }
  return r;
}

}  // namespace varnett
