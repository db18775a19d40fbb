// Shrinks data (compression method 1) the way the unshrinking side reads it:
// LZW codes of 9 bits widened to 13 on demand (256 then 1), and, whenever all
// 8192 codes are taken, a partial clear (256 then 2) that frees every code no
// other code extends. For tests only: nobody ships a shrinker any more, so
// the legacy decoder needs one to be checked against independent unshrinkers.
#pragma once

#include <string>
#include <string_view>

namespace varnett {

struct ShrinkOptions {
  // Also asks for a partial clear after every this many codes (0: only when
  // the table is full), to reach clears of a table that is not full.
  int clear_every = 0;
};

// `clears`, when given, receives the number of partial clears written.
std::string Shrink(std::string_view data, const ShrinkOptions& options = {}, int* clears = nullptr);

}  // namespace varnett
