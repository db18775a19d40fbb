// A plain container window with an optional bevel. It passes the
// notifications of its children (owner drawing, colours, commands) on to its
// own parent, so a window handles the controls inside its panels directly.
#pragma once

#include <windows.h>

namespace varnett {

// kFrame: a one-pixel dark line, for a panel that is a whole borderless window.
enum class Bevel { kNone, kLowered, kRaised, kFrame };

// Window class "TPanel"; registered on first use. Null when the panel
// cannot be made.
HWND CreatePanel(HWND parent, const wchar_t* name, Bevel bevel, COLORREF face, int x, int y,
                 int width, int height, int id);

}  // namespace varnett
