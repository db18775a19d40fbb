#include "platform/win32/ui_font.h"

namespace varnett {
namespace {

HFONT MakeFont(int weight) {
  return CreateFontW(-11, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

}  // namespace

// Created once and kept for the life of the process, like stock objects.
HFONT UiFont() {
  static HFONT font = MakeFont(FW_NORMAL);
  return font;
}

HFONT UiBoldFont() {
  static HFONT font = MakeFont(FW_BOLD);
  return font;
}

}  // namespace varnett
