#include <algorithm>
#include <array>
#include <memory>

#include "catalogue/decoders.h"
#include "catalogue/zip_format.h"

namespace varnett {
namespace {

// A Shannon-Fano code as the imploded data describes it: bit lengths, from
// which the codes follow. Codes are read most significant bit first.
class ShannonFanoTree {
 public:
  // Reads the tree's description: a byte count, then bytes holding a bit
  // length (low nibble + 1) and a repeat count (high nibble + 1). False when
  // it does not describe exactly `symbols` lengths.
  bool Read(MemberIO& io, int symbols) {
    symbols_ = symbols;
    int bytes = int(io.Bits(8)) + 1;
    int k = 0;
    for (int i = 0; i < bytes; ++i) {
      uint32_t b = io.Bits(8);
      int length = int(b & 0x0F) + 1;
      int repeat = int(b >> 4) + 1;
      for (int r = 0; r < repeat && k < symbols; ++r) lengths_[k++] = uint8_t(length);
    }
    if (k != symbols || io.Overrun()) return false;
    Build();
    return true;
  }

  // The next symbol, or -1 when no code of up to 16 bits matches.
  int Decode(MemberIO& io) const {
    uint32_t code = 0;
    for (int length = 1; length <= 16; ++length) {
      code = (code << 1) | io.Bits(1);
      const auto& range = by_length_[length];
      if (range.count != 0) {
        // Codes of one length are consecutive; the first found wins.
        uint32_t at = code - range.first;
        if (code >= range.first && at < range.count) return symbol_[range.start + at];
      }
      if (io.Overrun()) return -1;
    }
    return -1;
  }

 private:
  struct Range {
    uint32_t first = 0;
    uint32_t count = 0;
    uint32_t start = 0;
  };

  // Sort by bit length, keeping the symbols' order among equal lengths; then
  // walk from the longest, the code growing by 2^(16 - length) per symbol.
  void Build() {
    std::array<uint16_t, 256> order{};
    for (int i = 0; i < symbols_; ++i) order[i] = uint16_t(i);
    std::stable_sort(order.begin(), order.begin() + symbols_,
                     [&](uint16_t a, uint16_t b) { return lengths_[a] < lengths_[b]; });
    by_length_.fill(Range{});
    uint32_t code = 0, increment = 0;
    int last_length = 0;
    int filled = 0;
    for (int i = symbols_ - 1; i >= 0; --i) {
      code += increment;
      int length = lengths_[order[i]];
      if (length != last_length) {
        last_length = length;
        increment = 1u << (16 - length);
        by_length_[length].first = (code >> (16 - length)) & ((1u << length) - 1);
        by_length_[length].start = uint32_t(filled);
      }
      symbol_[filled++] = order[i];
      ++by_length_[length].count;
    }
  }

  int symbols_ = 0;
  std::array<uint8_t, 256> lengths_{};
  std::array<uint16_t, 256> symbol_{};
  std::array<Range, 17> by_length_{};
};

struct Trees {
  ShannonFanoTree literal, length, distance;
};

}  // namespace

void Explode(MemberIO& io, uint16_t flags) {
  const bool literal_tree = (flags & zip::kFlagImplodeLiteralTree) != 0;
  const int low_distance_bits = (flags & zip::kFlagImplode8K) ? 7 : 6;
  const uint32_t min_match = literal_tree ? 3 : 2;

  auto trees = std::make_unique<Trees>();
  bool ok = (!literal_tree || trees->literal.Read(io, 256)) && trees->length.Read(io, 64) &&
            trees->distance.Read(io, 64);
  while (ok && !io.Complete() && !io.Overrun()) {
    if (io.Bits(1)) {
      int literal = literal_tree ? trees->literal.Decode(io) : int(io.Bits(8));
      if (literal < 0) break;
      io.Put(uint8_t(literal));
      continue;
    }
    uint32_t low = io.Bits(low_distance_bits);
    int high = trees->distance.Decode(io);
    if (high < 0) break;
    uint32_t distance = ((uint32_t(high) << low_distance_bits) | low) + 1;
    int length_code = trees->length.Decode(io);
    if (length_code < 0) break;
    uint32_t length = uint32_t(length_code);
    if (length == 63) length += io.Bits(8);
    length += min_match;
    for (uint32_t i = 0; i < length && !io.Complete(); ++i) io.Put(io.Back(distance));
  }
  io.FlushOutput();
}

}  // namespace varnett
