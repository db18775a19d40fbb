// The banner at the top of the main window: its two pictures and the
// owner-drawn controls that show them. The background picture lies beneath
// the two labels, which are transparent: each shows the part of the picture
// beneath it, copied from one picture at the window's pixels, so the labels
// and the background meet without a seam at any DPI.
#pragma once

#include <windows.h>

#include "app/main_window_layout.h"
#include "app/scoped_gdi.h"

namespace varnett {

class BannerPictures {
 public:
  // The pictures from the program's resources; a missing one leaves its
  // place filled with `missing_fill` (the background) or empty.
  void Load(HINSTANCE instance, COLORREF missing_fill);
  // The background drawn once at `dpi` with halftone filtering; nothing is
  // kept at the designed DPI, where the picture is used as it is.
  void ScaleTo(int dpi);
  // Paints the banner's control `role` (one inside the banner) from
  // WM_DRAWITEM; `banner` is the banner panel, the controls' parent.
  void Draw(const DRAWITEMSTRUCT& item, ControlRole role, HWND banner, int dpi) const;

 private:
  ScopedBitmap background_;         // as designed (96 DPI)
  ScopedBitmap scaled_background_;  // at the window's DPI, when that differs
  ScopedBitmap picture_;
  COLORREF missing_fill_ = 0;
};

}  // namespace varnett
