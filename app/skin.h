// The window skin: a borderless window whose whole area is client area, with
// a title bar of its own (bold caption, control-box button at the left,
// minimise and close at the right), a one-pixel black border and a white face.
#pragma once

#include <windows.h>

#include <functional>

namespace varnett {

// The look shared by the frame and the buttons; the data module holds it.
struct SkinTheme {
  COLORREF face = RGB(255, 255, 255);
  COLORREF border = RGB(0, 0, 0);
  COLORREF title_top = RGB(44, 62, 104);
  COLORREF title_bottom = RGB(22, 32, 58);
  COLORREF title_line = RGB(240, 160, 40);
  COLORREF caption_text = RGB(255, 255, 255);
  COLORREF caption_button_hot = RGB(78, 98, 148);
  COLORREF close_button_hot = RGB(200, 48, 40);
  int title_height = 27;

  COLORREF button_text = RGB(0, 0, 0);
  COLORREF button_top = RGB(255, 255, 255);
  COLORREF button_bottom = RGB(226, 230, 238);
  COLORREF button_edge = RGB(150, 158, 176);
  COLORREF hot_top = RGB(255, 250, 236);
  COLORREF hot_bottom = RGB(255, 222, 150);
  COLORREF hot_edge = RGB(222, 150, 40);
  COLORREF pressed_top = RGB(246, 196, 100);
  COLORREF pressed_bottom = RGB(255, 232, 180);
  COLORREF disabled_face = RGB(240, 240, 240);
  COLORREF disabled_edge = RGB(200, 200, 200);
  COLORREF disabled_text = RGB(160, 160, 160);
  COLORREF focus = RGB(44, 62, 104);
};

// Fills `box` with a vertical gradient.
void FillGradient(HDC dc, const RECT& box, COLORREF top, COLORREF bottom);

// A strip along the frame's lower edge that stays above every control, so
// controls that lie below a shortened window neither cut through its border
// nor take the clicks on it.
// Keep it at the bottom with PlaceBottomEdge whenever the window is sized.
// Null when the strip cannot be made; the window works without it.
HWND CreateBottomEdge(HWND window, const SkinTheme& theme);
void PlaceBottomEdge(HWND window, HWND edge);

enum class FramePart { kNone, kCaption, kControlBox, kMinimize, kClose };

class SkinFrame {
 public:
  struct Actions {
    std::function<void()> close;
    std::function<void()> minimize;
    std::function<void()> system_menu;
  };

  SkinFrame(const SkinTheme& theme, Actions actions) : theme_(theme), actions_(actions) {}

  // Handles the frame's part of a window message; true when it is done with
  // it (and `result` holds the answer).
  bool Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
  // Paints the face, title bar and border.
  void Paint(HWND window, HDC dc, HICON icon) const;

  RECT PartRect(HWND window, FramePart part) const;

 private:
  FramePart HitTest(HWND window, POINT client) const;
  void SetHot(HWND window, FramePart part);

  const SkinTheme& theme_;
  Actions actions_;
  FramePart hot_ = FramePart::kNone;
  FramePart pressed_ = FramePart::kNone;
  bool tracking_ = false;
};

}  // namespace varnett
