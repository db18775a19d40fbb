// Push buttons drawn by the program in the skin's look: a hand cursor, black
// regular Tahoma text (one or more lines, centred), and a clear pressed,
// focused, hot and disabled look. Each is a real "Button" control whose
// window text is its caption.
#pragma once

#include <windows.h>

#include "app/skin.h"

namespace varnett {

HWND CreateSkinButton(HWND parent, const wchar_t* caption, int id, int x, int y, int width,
                      int height);

// Paints a skin button; called from the parent's WM_DRAWITEM.
void DrawSkinButton(const SkinTheme& theme, const DRAWITEMSTRUCT& item);

}  // namespace varnett
