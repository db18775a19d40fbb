// Ownership of GDI objects and device contexts, each released exactly once
// when its owner goes, also on an early return, in the scheme of
// platform/win32/scoped_handle.h. None can be copied.
#pragma once

#include <windows.h>

#include "platform/win32/scoped_handle.h"

namespace varnett {

// A pen, brush, bitmap, font or region: deleted with DeleteObject.
template <typename T>
struct GdiObjectTraits : NullIsEmpty<T> {
  static void Free(T object) { DeleteObject(object); }
};
template <typename T>
using ScopedGdiObject = Scoped<GdiObjectTraits<T>>;

using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedPen = ScopedGdiObject<HPEN>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedFont = ScopedGdiObject<HFONT>;

// An icon made for the caller (CopyIcon, LoadIconWithScaleDown): destroyed
// with DestroyIcon. Shared icons from LoadIcon are never owned.
struct IconTraits : NullIsEmpty<HICON> {
  static void Free(HICON icon) { DestroyIcon(icon); }
};
using ScopedIcon = Scoped<IconTraits>;

// A device context the caller made (CreateCompatibleDC): deleted with
// DeleteDC. One from GetDC or BeginPaint is given back by its owner below.
struct CreatedDcTraits : NullIsEmpty<HDC> {
  static void Free(HDC dc) { DeleteDC(dc); }
};
using ScopedDc = Scoped<CreatedDcTraits>;

// Selects an object into a device context and puts the previous one back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~ScopedSelect() {
    if (old_) SelectObject(dc_, old_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// SaveDC ... RestoreDC: whatever is selected into or set on `dc` in between
// (objects, modes, the world transform) is put back when it goes. Declared
// after the objects selected in its time, so they are deselected before they
// are deleted.
class ScopedSavedDc {
 public:
  explicit ScopedSavedDc(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~ScopedSavedDc() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  ScopedSavedDc(const ScopedSavedDc&) = delete;
  ScopedSavedDc& operator=(const ScopedSavedDc&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// A window's device context from GetDC (the screen's for a null window):
// given back with ReleaseDC.
class ScopedWindowDc {
 public:
  explicit ScopedWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ScopedWindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint ... EndPaint.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~ScopedPaint() { EndPaint(window_, &paint_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_ = {};
  HDC dc_;
};

// Fills a rectangle with a solid colour.
inline void FillSolid(HDC dc, const RECT& box, COLORREF colour) {
  ScopedBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &box, brush.get());
}

// A frame `width` pixels wide just inside `box`.
inline void FrameSolid(HDC dc, const RECT& box, COLORREF colour, int width) {
  ScopedBrush brush(CreateSolidBrush(colour));
  RECT r = box;
  for (int i = 0; i < width && r.left < r.right && r.top < r.bottom; ++i) {
    FrameRect(dc, &r, brush.get());
    InflateRect(&r, -1, -1);
  }
}

}  // namespace varnett
