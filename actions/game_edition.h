// The two editions of the game, each with its own section of the window,
// install folder, drive slot and home page.
#pragma once

namespace varnett {

enum class GameEdition { kNetmarble, kNexon };

}  // namespace varnett
