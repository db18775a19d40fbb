#include "app/ui_font.h"

#include <map>
#include <utility>

#include "app/dpi.h"
#include "app/scoped_gdi.h"

namespace varnett {
namespace {

constexpr int kDesignedHeight = 11;

HFONT FontFor(int dpi, int weight) {
  // One font per DPI and weight, kept for the life of the process like stock
  // objects: a program sees one or two DPIs in its life.
  static std::map<std::pair<int, int>, ScopedFont> fonts;
  ScopedFont& font = fonts[{dpi, weight}];
  if (!font)
    font.Reset(CreateFontW(-Scale(kDesignedHeight, dpi), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
  return font.get();
}

}  // namespace

HFONT UiFont(int dpi) { return FontFor(dpi, FW_NORMAL); }
HFONT UiBoldFont(int dpi) { return FontFor(dpi, FW_BOLD); }

}  // namespace varnett
