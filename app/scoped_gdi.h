// Ownership of GDI objects and device contexts, each released exactly once
// when its owner goes, also on an early return. None can be copied.
#pragma once

#include <windows.h>

namespace varnett {

// A pen, brush, bitmap, font or region: deleted with DeleteObject.
template <typename T>
class ScopedGdiObject {
 public:
  ScopedGdiObject() = default;
  explicit ScopedGdiObject(T object) : object_(object) {}
  ~ScopedGdiObject() { Reset(); }
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
  ScopedGdiObject(ScopedGdiObject&& other) noexcept : object_(other.object_) {
    other.object_ = nullptr;
  }
  ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      object_ = other.object_;
      other.object_ = nullptr;
    }
    return *this;
  }

  T get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  void Reset(T object = nullptr) {
    if (object_) DeleteObject(object_);
    object_ = object;
  }

 private:
  T object_ = nullptr;
};

using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedPen = ScopedGdiObject<HPEN>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedFont = ScopedGdiObject<HFONT>;

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

// A memory device context compatible with `dc`: deleted with DeleteDC.
class ScopedMemoryDc {
 public:
  explicit ScopedMemoryDc(HDC dc) : dc_(CreateCompatibleDC(dc)) {}
  ~ScopedMemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  ScopedMemoryDc(const ScopedMemoryDc&) = delete;
  ScopedMemoryDc& operator=(const ScopedMemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A window's device context from GetDC: given back with ReleaseDC.
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
