// The interface font shared by every window of the program: Tahoma at 11
// pixels (8 points at 96 dots per inch). Korean text needs a font with Hangul;
// where Tahoma lacks it the system's font linking or substitution supplies it.
#pragma once

#include <windows.h>

namespace varnett {

HFONT UiFont();
HFONT UiBoldFont();

}  // namespace varnett
