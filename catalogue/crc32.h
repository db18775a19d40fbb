// The CRC-32 of the ZIP format (IEEE 802.3 polynomial, reflected).
#pragma once

#include <cstddef>
#include <cstdint>

namespace varnett {

// Folds `size` bytes into a running register that starts at 0xFFFFFFFF; the
// final CRC is the register xor 0xFFFFFFFF.
uint32_t UpdateCrc32(uint32_t running, const void* data, size_t size);

// The finished CRC-32 of one block.
inline uint32_t Crc32(const void* data, size_t size) {
  return UpdateCrc32(0xFFFFFFFFu, data, size) ^ 0xFFFFFFFFu;
}

}  // namespace varnett
