// WM_PAINT drawn off screen first and copied to the window in one go, so a
// window that repaints often (the frame under the mouse, an animation) never
// shows a half-drawn picture.
#pragma once

#include <windows.h>

#include "app/scoped_gdi.h"

namespace varnett {

// Runs `draw(dc, client)` on a memory device context as large as the
// window's client area, then copies the result to the window. Everything the
// paint made is released, in order, on the way out.
template <typename Draw>
void PaintBuffered(HWND window, Draw&& draw) {
  ScopedPaint paint(window);
  RECT client;
  GetClientRect(window, &client);
  ScopedDc memory(CreateCompatibleDC(paint.get()));
  ScopedBitmap bitmap(CreateCompatibleBitmap(paint.get(), client.right, client.bottom));
  ScopedSelect selected(memory.get(), bitmap.get());
  draw(memory.get(), client);
  BitBlt(paint.get(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace varnett
