#include "catalogue/crc32.h"

#include <array>

namespace varnett {
namespace {

// Eight tables so that eight bytes are folded per step: the catalogue member
// is checked as it is written, and a byte-at-a-time loop would cost as much
// as inflating it.
struct Tables {
  std::array<std::array<uint32_t, 256>, 8> t{};
  Tables() {
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[0][i] = c;
    }
    for (uint32_t i = 0; i < 256; ++i) {
      for (size_t k = 1; k < 8; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
    }
  }
};

const Tables& GetTables() {
  static const Tables tables;
  return tables;
}

}  // namespace

uint32_t UpdateCrc32(uint32_t running, const void* data, size_t size) {
  const auto& t = GetTables().t;
  const uint8_t* p = static_cast<const uint8_t*>(data);
  uint32_t c = running;
  while (size >= 8) {
    uint32_t lo = c ^ (uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
                       (uint32_t(p[3]) << 24));
    c = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
        t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
    p += 8;
    size -= 8;
  }
  while (size--) c = t[0][(c ^ *p++) & 0xFF] ^ (c >> 8);
  return c;
}

}  // namespace varnett
