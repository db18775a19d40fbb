// Method 6, imploding: LZ77 over a window of 4 KB or 8 KB, with lengths,
// distances and, in one variant, literals coded by Shannon-Fano trees that
// the member sends at its start.
//
// Two general purpose flags of the entry choose the variant:
//   bit 1   an 8 KB window: a distance's low part is 7 bits; else 4 KB, 6 bits
//   bit 2   three trees: literals have a tree of their own, and a match is at
//           least 3 bytes long; else two trees, literals are plain bytes, and
//           a match is at least 2 bytes long
//
// Bits are read least significant first. The data holds, in this order:
//
// 1. The trees: the literal tree (256 symbols) when there are three, then
//    the length tree (64 symbols), then the distance tree (64 symbols). A
//    tree is sent as its code lengths, run-length coded in bytes: first a
//    byte holding how many bytes follow, minus 1; then in each byte the low
//    four bits are a code length minus 1 (1 to 16) and the high four bits
//    how many symbols in a row have that length, minus 1 (1 to 16). Too few
//    lengths for the tree's symbols is damage; lengths past its last symbol
//    are ignored. The codes themselves follow from the lengths
//    (ShannonFanoTree::Build).
//
// 2. The member, one item after another, until the recorded size has been
//    produced (there is no end marker):
//      1  a literal: a literal-tree code, or with two trees 8 plain bits
//      0  a match: the distance's low 6 or 7 bits, plain; a distance-tree
//         code, the distance's high 6 bits; a length-tree code, 0 to 63,
//         and when it is 63 another 8 plain bits added to it. The match
//         copies (length + minimum) bytes from (high, low) + 1 bytes back.
//    A match may reach back before the start of the member: those bytes
//    are 0. A match may overlap the bytes it makes (distance < length),
//    which repeats them.
#include <algorithm>
#include <array>
#include <memory>

#include "catalogue/decoders.h"
#include "catalogue/zip_format.h"

namespace varnett {
namespace {

// A Shannon-Fano code as the imploded data describes it: bit lengths, from
// which the codes follow. A code is read one bit at a time, the first bit
// read its most significant.
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

  // The codes follow from the lengths alone. Sort the symbols by length,
  // keeping their order among equal lengths; then walk from the last (the
  // longest), counting in 16 bits: the first count is 0, and each next one
  // adds 2^(16 - length) for the length of the symbol walked before. A symbol's
  // code is the top `length` bits of its count. The longest codes are thus
  // all zeros and the shortest all ones: for a complete tree, each code is
  // the ones' complement of what deflate's canonical rule would give.
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

  // 1. The trees.
  auto trees = std::make_unique<Trees>();
  bool ok = (!literal_tree || trees->literal.Read(io, 256)) && trees->length.Read(io, 64) &&
            trees->distance.Read(io, 64);
  // 2. The items. A code that matches nothing, or input spent, ends it.
  while (ok && !io.Complete() && !io.Overrun()) {
    if (io.Bits(1)) {
      int literal = literal_tree ? trees->literal.Decode(io) : int(io.Bits(8));
      if (literal < 0) break;
      io.Put(uint8_t(literal));
      continue;
    }
    // A match: distance first, then length.
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
