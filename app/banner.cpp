#include "app/banner.h"

#include <string>

#include "app/centred_text.h"
#include "app/dpi.h"
#include "app/ui_font.h"

namespace varnett {
namespace {

ScopedBitmap LoadBitmapResource(HINSTANCE instance, const wchar_t* name) {
  return ScopedBitmap(
      static_cast<HBITMAP>(LoadImageW(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// `source` drawn once at `size` with halftone filtering.
ScopedBitmap ScaledCopy(HBITMAP source, SIZE size) {
  ScopedWindowDc screen(nullptr);
  ScopedBitmap scaled(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
  if (!scaled || !source) return scaled;
  BITMAP info;
  GetObjectW(source, sizeof info, &info);
  ScopedDc from(CreateCompatibleDC(screen.get())), to(CreateCompatibleDC(screen.get()));
  ScopedSelect from_selected(from.get(), source), to_selected(to.get(), scaled.get());
  SetStretchBltMode(to.get(), HALFTONE);
  SetBrushOrgEx(to.get(), 0, 0, nullptr);
  StretchBlt(to.get(), 0, 0, size.cx, size.cy, from.get(), 0, 0, info.bmWidth, info.bmHeight,
             SRCCOPY);
  return scaled;
}

const DesignedRect& BackgroundPlace() { return DesignOf(kBannerImage)->rect; }

}  // namespace

void BannerPictures::Load(HINSTANCE instance, COLORREF missing_fill) {
  background_ = LoadBitmapResource(instance, L"BANNER");
  picture_ = LoadBitmapResource(instance, L"PICTURE");
  missing_fill_ = missing_fill;
}

void BannerPictures::ScaleTo(int dpi) {
  scaled_background_.Reset();
  const DesignedRect& place = BackgroundPlace();
  if (dpi != kDesignDpi && background_)
    scaled_background_ =
        ScaledCopy(background_.get(), SIZE{Scale(place.width, dpi), Scale(place.height, dpi)});
}

void BannerPictures::Draw(const DRAWITEMSTRUCT& item, ControlRole role, HWND banner,
                          int dpi) const {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  ScopedDc source(CreateCompatibleDC(dc));
  if (role == ControlRole::kPicture) {
    // The 355 x 165 picture stretched to its control (352 x 162 at 96 DPI)
    // with halftone filtering.
    if (picture_) {
      ScopedSelect selected(source.get(), picture_.get());
      BITMAP info;
      GetObjectW(picture_.get(), sizeof info, &info);
      SetStretchBltMode(dc, HALFTONE);
      SetBrushOrgEx(dc, 0, 0, nullptr);
      StretchBlt(dc, 0, 0, r.right, r.bottom, source.get(), 0, 0, info.bmWidth, info.bmHeight,
                 SRCCOPY);
    }
    return;
  }
  // The background, and the transparent labels over it, which show the part
  // of the background beneath them.
  RECT place;
  GetWindowRect(item.hwndItem, &place);
  MapWindowPoints(HWND_DESKTOP, banner, reinterpret_cast<POINT*>(&place), 2);
  HBITMAP background = scaled_background_ ? scaled_background_.get() : background_.get();
  if (background) {
    ScopedSelect selected(source.get(), background);
    BitBlt(dc, 0, 0, r.right, r.bottom, source.get(),
           place.left - Scale(BackgroundPlace().left, dpi),
           place.top - Scale(BackgroundPlace().top, dpi), SRCCOPY);
  } else {
    FillSolid(dc, r, missing_fill_);
  }
  if (role == ControlRole::kBannerImage) return;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(
      dc, role == ControlRole::kServerName ? RGB(255, 255, 255) : GetSysColor(COLOR_WINDOWTEXT));
  ScopedSelect font(dc, UiFont(dpi));
  DrawCentredText(dc, r, WindowText(item.hwndItem));
}

}  // namespace varnett
