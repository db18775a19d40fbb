#include <cstring>
#include <memory>

#include "catalogue/decoders.h"

namespace varnett {
namespace {

constexpr uint8_t kDle = 144;

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
  for (int j = 255; j >= 0; --j) {
    int n = int(io.Bits(6));
    sets->count[j] = uint8_t(n);
    for (int k = 0; k < n; ++k) sets->follower[j][k] = uint8_t(io.Bits(8));
  }

  const uint32_t length_mask = 0xFFu >> factor;
  uint8_t last = 0;
  int state = 0;
  uint32_t v = 0;
  uint32_t length = 0;
  while (!io.Complete() && !io.Overrun()) {
    uint8_t c;
    int n = sets->count[last];
    if (n == 0 || io.Bits(1)) {
      c = uint8_t(io.Bits(8));
    } else {
      c = sets->follower[last][io.Bits(IndexBits(n))];
    }
    last = c;

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
