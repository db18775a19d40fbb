// The editions' home pages, opened by the two home-page buttons. Each address
// is handed to the shell unchanged.
#pragma once

#include "actions/game_edition.h"

namespace varnett {

inline constexpr char kNetmarbleHomeAddress[] = "http://sudden.netmarble.net/";
inline constexpr char kNexonHomeAddress[] = "http://sa.nexon.com/";

inline const char* HomePage(GameEdition edition) {
  return edition == GameEdition::kNetmarble ? kNetmarbleHomeAddress : kNexonHomeAddress;
}

}  // namespace varnett
