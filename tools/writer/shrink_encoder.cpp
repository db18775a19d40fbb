#include "tools/writer/shrink_encoder.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace varnett {
namespace {

constexpr int kCodes = 8192;
constexpr int kControl = 256;
constexpr int kFirstFree = 257;
constexpr int kFree = -1;

class BitSink {
 public:
  void Put(uint32_t value, int bits) {
    buffer_ |= uint64_t(value) << count_;
    count_ += bits;
    while (count_ >= 8) {
      out_ += char(buffer_ & 0xFF);
      buffer_ >>= 8;
      count_ -= 8;
    }
  }
  std::string Finish() {
    if (count_ > 0) out_ += char(buffer_ & 0xFF);
    return out_;
  }

 private:
  std::string out_;
  uint64_t buffer_ = 0;
  int count_ = 0;
};

// The encoder keeps the table exactly as the decoder will hold it after each
// code. The decoder defines a code one step late (when it reads the next code,
// whose first byte completes it); the encoder defines it as soon as it writes
// a code, on the slot the decoder will pick. A clear comes, as in the
// shrinkers of the time, when a code is to be defined and none is free: right
// after a code, which may be many bytes long and then is freed with the
// other leaves.
//
// A code is a prefix code and one byte; `child` finds the code that extends a
// prefix by a byte. A clear may free the code just written, whose extension
// is then defined on a free prefix: it stays unreachable until that slot is
// used again, and then extends the new string, just as the decoder's parent
// links do. The code defined last may be used at once, also through such an
// extension left waiting on its slot: the decoder then meets a code whose
// chain runs through the code it is about to define.
class Shrinker {
 public:
  Shrinker() : prefix_(kCodes, kFree), suffix_(kCodes, 0), child_(size_t(kCodes) * 256, kFree) {}

  int clears() const { return clears_; }

  std::string Run(std::string_view data, const ShrinkOptions& options) {
    if (data.empty()) return "";
    int w = uint8_t(data[0]);
    for (size_t i = 1; i <= data.size(); ++i) {
      if (i < data.size()) {
        const int next = child_[size_t(w) * 256 + uint8_t(data[i])];
        if (next != kFree) {
          w = next;
          continue;
        }
      }
      Write(w);
      if (i == data.size()) break;
      const uint8_t c = uint8_t(data[i]);
      ++written_;
      if (free_ == kCodes || (options.clear_every && written_ % options.clear_every == 0)) {
        Control(2);
        PartialClear();
        ++clears_;
      }
      if (free_ < kCodes) Define(free_, w, c);
      w = c;
    }
    return bits_.Finish();
  }

 private:
  void Write(int code) {
    while (code >= (1 << code_size_)) {
      Control(1);
      ++code_size_;
    }
    bits_.Put(uint32_t(code), code_size_);
  }
  void Control(int what) {
    bits_.Put(kControl, code_size_);
    bits_.Put(uint32_t(what), code_size_);
  }

  void Define(int code, int parent, uint8_t byte) {
    prefix_[code] = parent;
    suffix_[code] = byte;
    child_[size_t(parent) * 256 + byte] = code;
    top_ = std::max(top_, code);
    free_ = NextFree(code + 1);
  }
  int NextFree(int from) const {
    while (from < kCodes && prefix_[from] != kFree) ++from;
    return from;
  }

  void PartialClear() {
    // No code above the highest ever defined is in use: frequent clears of
    // a table far from full cost what the table holds.
    std::vector<bool> is_prefix(kCodes, false);
    for (int c = kFirstFree; c <= top_; ++c) {
      if (prefix_[c] != kFree) is_prefix[prefix_[c]] = true;
    }
    for (int c = kFirstFree; c <= top_; ++c) {
      if (prefix_[c] == kFree || is_prefix[c]) continue;
      int& link = child_[size_t(prefix_[c]) * 256 + suffix_[c]];
      if (link == c) link = kFree;
      prefix_[c] = kFree;
    }
    free_ = NextFree(kFirstFree);
  }

  std::vector<int> prefix_;
  std::vector<uint8_t> suffix_;
  std::vector<int> child_;
  int free_ = kFirstFree;
  int top_ = kControl;
  int code_size_ = 9;
  long written_ = 0;
  int clears_ = 0;
  BitSink bits_;
};

}  // namespace

std::string Shrink(std::string_view data, const ShrinkOptions& options, int* clears) {
  Shrinker shrinker;
  std::string out = shrinker.Run(data, options);
  if (clears) *clears = shrinker.clears();
  return out;
}

}  // namespace varnett
