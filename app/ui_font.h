// The interface font shared by every window of the program: Tahoma at 11
// pixels at 96 DPI (8 points), scaled with the DPI of the window it is drawn
// in. Korean text needs a font with Hangul; where Tahoma lacks it the
// system's font linking or substitution supplies it.
#pragma once

#include <windows.h>

namespace varnett {

HFONT UiFont(int dpi);
HFONT UiBoldFont(int dpi);

}  // namespace varnett
