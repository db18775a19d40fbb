// Methods 2 to 5, reducing: a small LZ77 of byte-sized matches ("expanding"),
// whose bytes are then squeezed by follower sets, a model of which bytes
// tend to follow which. The decoder undoes the two in turn, byte by byte.
// The method fixes the compression factor F = method - 1, from 1 to 4.
//
// Bits are read least significant first.
//
// The follower sets come first: one set for each byte value, from 255 down
// to 0. A set is a 6-bit count N, then N bytes of 8 bits, the bytes that the
// compressor chose to code briefly after that value.
//
// Then the bytes of the expanding stage, each coded in the context of the
// byte decoded before it (0 at the start), whose set has N entries:
//   N = 0           8 bits: the byte itself
//   otherwise  1    then 8 bits: the byte itself
//              0    then an index into the set, in the fewest bits that can
//                   count N entries: 1 bit for N up to 2, 2 bits up to 4,
//                   3 bits up to 8, and so on up to 6 bits
//
// The expanding stage reads those bytes as literals, except that 144 (DLE)
// starts something else:
//   144 0           a literal 144
//   144 V [L] D     a match. The low 8 - F bits of V are its length; when
//                   they are all ones, the byte L follows and is added to
//                   it. The high F bits of V and the byte D give the distance:
//                   ((V >> (8 - F)) * 256) + D + 1. The match copies
//                   length + 3 bytes from that far back.
// A higher factor reaches farther back (512 bytes at factor 1, 4096 at 4)
// but leaves fewer bits for the length in V. A match may reach back before
// the start of the member: those bytes are 0.
//
// The data has no end marker: decoding stops when the recorded size has been
// produced, or when the input is spent.
#include <cstring>
#include <memory>

#include "catalogue/decoders.h"

namespace varnett {
namespace {

constexpr uint8_t kDle = 144;  // the byte that starts a match

// Bits that index a follower set of n entries.
int IndexBits(int n) {
  int bits = 1;
  while ((1 << bits) < n) ++bits;
  return bits;
}

struct FollowerSets {
  uint8_t count[256];
  uint8_t follower[256][64];
};

}  // namespace

void Unreduce(MemberIO& io, int factor) {
  auto sets = std::make_unique<FollowerSets>();
  std::memset(sets.get(), 0, sizeof(FollowerSets));
  // The follower sets, highest byte value first.
  for (int j = 255; j >= 0; --j) {
    int n = int(io.Bits(6));
    sets->count[j] = uint8_t(n);
    for (int k = 0; k < n; ++k) sets->follower[j][k] = uint8_t(io.Bits(8));
  }

  // What the expanding stage has seen of a DLE sequence: 0 none, 1 the DLE,
  // 2 V with a length that goes on in L, 3 V (and L) with D still to come.
  const uint32_t length_mask = 0xFFu >> factor;
  uint8_t last = 0;
  int state = 0;
  uint32_t v = 0;
  uint32_t length = 0;
  while (!io.Complete() && !io.Overrun()) {
    // Undo the follower sets: the next byte of the expanding stage.
    uint8_t c;
    int n = sets->count[last];
    if (n == 0 || io.Bits(1)) {
      c = uint8_t(io.Bits(8));
    } else {
      c = sets->follower[last][io.Bits(IndexBits(n))];
    }
    last = c;

    // Undo the expanding.
    switch (state) {
      case 0:
        if (c != kDle) {
          io.Put(c);
        } else {
          state = 1;
        }
        break;
      case 1:
        if (c != 0) {
          v = c;
          length = v & length_mask;
          state = length == length_mask ? 2 : 3;
        } else {
          io.Put(kDle);
          state = 0;
        }
        break;
      case 2:
        length += c;
        state = 3;
        break;
      case 3: {
        uint32_t distance = ((v >> (8 - factor)) << 8) + c + 1;
        for (uint32_t i = 0; i < length + 3 && !io.Complete(); ++i) io.Put(io.Back(distance));
        state = 0;
        break;
      }
    }
  }
  io.FlushOutput();
}

}  // namespace varnett
