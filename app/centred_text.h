// Text centred both ways inside a rectangle and word-wrapped, as labels and
// buttons of the program show it. Standard static controls cannot centre
// wrapped text vertically.
#pragma once

#include <windows.h>

#include <string>

namespace varnett {

void DrawCentredText(HDC dc, RECT box, const std::wstring& text);

// The window text of a control.
std::wstring WindowText(HWND window);

}  // namespace varnett
